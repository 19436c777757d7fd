// The commands that set a scripted battle up and act on its units, on the
// sample databases: the battle command's reading and its four steps, and
// the unit commands inside a running battle.

#include <gtest/gtest.h>

#include <string>

#include "battle/Battle.h"
#include "battle/UnitEntry.h"
#include "running/game/GameData.h"
#include "live/Unit.h"
#include "live/unit/EnemyGhost.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "running/script/Script.h"
#include "root/command/BattleSetup.h"
#include "root/command/RunningScenes.h"
#include "tests/Services.h"
#include "tests/running/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Battle;
using Game::BattleSettings;
using Game::Script;
using Game::ScriptStuff::BattleCommand;

class BattleSetupTest : public ScriptTestSupport::ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    fs().put(Battle::kScriptFile, std::string("let{ name answer; value 1; }"));
    fs().put("src/data/せりふ.txt", std::string("影法師{ begin{ R 影法師,去れ。; L ケッサ,断る。; } end{ R 影法師,無念。; } }"
                                              "骨の騎士{ end{ R 骨の騎士,崩れる。; } }"));
    Game::ScriptStuff::forgetMissingSceneReports();
    Game::FaceSet::createWithoutFiles();
    Game::FaceSet::instance()->add("影法師", "shade", "影法師");
    Game::FaceSet::instance()->add("骨の騎士", "knight", "骨の騎士");
    // Without a field the battle is the game's at once.
    game().setField(nullptr);
  }
  void TearDown() override {
    game().setBattle(nullptr);
    Game::FaceSet::destroy();
    ScriptTest::TearDown();
  }
  // The script's first command, which every test here makes a battle.
  const BattleCommand& command() { return static_cast<const BattleCommand&>(*mScript.command(0)); }
  Battle* battle() { return dynamic_cast<Battle*>(game().battle()); }
  // A running battle of its own for the unit commands, past its opening.
  Battle& fight() {
    auto* battle = new Battle(game(), BattleSettings{});
    game().setBattle(battle);
    step({});
    battle->update();
    return *battle;
  }
  // Runs the script's commands once against the running battle.
  void command(const char* text) {
    load(text);
    EXPECT_EQ(stepScript(), Script::kFinished) << text;
  }
  Game::Unit& enemyAt(Battle& battle, i32 row, i32 column) {
    Game::Unit* unit = battle.unitAt(1, row, column);
    EXPECT_NE(unit, nullptr) << row << "," << column;
    return *unit;
  }
};

TEST_F(BattleSetupTest, ReadsItsWordsRecordsAndSettingsAndWithoutABattleTheUnitCommandsSaySoOnce) {
  load("battle{ rank 150; encounter forestalled; penalty 何か; escape false; scene 洞窟;"
       " start{ createEnemy{ name 骨の兵士; position 0,2; } }"
       " event{ turn()>=2; let{ name answer; value 2; } } script{ let{ name answer; value 3; } } }");
  const BattleCommand& battle = command();
  // 骨の兵士 has no face.
  EXPECT_EQ(std::tuple(battle.kind(), battle.penalty(), battle.rankBonus(), battle.escapeAllowed(), battle.dialogue()),
            std::tuple(2, 2, 1.5f, false, nullptr));
  ASSERT_EQ(battle.triggers().size(), 3u);
  EXPECT_EQ(std::tuple(battle.triggers()[0]->repeat, battle.triggers()[1]->repeat, battle.triggers()[2]->repeat),
            std::tuple(false, false, true));
  // The opening and the script hold at every test; the event has its own condition.
  EXPECT_EQ(std::pair(battle.triggers()[0]->condition.evaluate(), battle.triggers()[2]->condition.evaluate()),
            std::pair(1, 1));
  // Without the words: an even battle, escape allowed, the escape penalty.
  load("battle{ rank 0; start{} }");
  EXPECT_EQ(std::tuple(command().kind(), command().penalty(), command().escapeAllowed(), command().triggers().size()),
            std::tuple(0, 1, true, 1u));
  // Only a createEnemy names the boss: a let of the shade's name does not.
  load("battle{ rank 0; start{ let{ name 影法師; value 1; } createEnemy{ name 骨の兵士; position 0,0; } } }");
  EXPECT_EQ(command().dialogue(), nullptr);
  // Without a battle the unit commands say so once.
  command("recall{} recall{} careUnit{ name 誰か; } lastEscape{} createEnemy{ name 泥スライム; position 0,0; }"
          " let{ name money; value 1; }");
  EXPECT_EQ(integer("money"), 1);
  for (const char* keyword : {"recall", "careUnit", "lastEscape", "createEnemy"}) {
    EXPECT_EQ(debugLinesWith((std::string("\"") + keyword + "\" needs a battle").c_str()), 1) << keyword;
  }
  // The encounter and penalty words.
  const std::pair<const char*, i32> encounters[] = {
      {"even", 0}, {"forestall", 1}, {"forestalled", 2}, {"backAttacked", 3}};
  for (const auto& [word, kind] : encounters) {
    EXPECT_EQ(BattleCommand::encounterKind(word), kind) << word;
  }
  const std::pair<const char*, i32> penalties[] = {
      {"none", 0}, {"escape", 1}, {"gameOver", 2}, {"何か", 2}, {"Escape", 2}};
  for (const auto& [word, kind] : penalties) {
    EXPECT_EQ(BattleCommand::penaltyKind(word), kind) << word;
  }
}

// Without a boss: steps 1 and 3 show nothing; the battle is the game's on
// step 2 (no field), shares the records and counts as a script's battle.
TEST_F(BattleSetupTest, WithoutABossItRunsInFourStepsAndGoesOn) {
  load("battle{ rank 250; BGM ボス戦; start{ createEnemy{ name 泥スライム; position 1,1; } } }"
       "let{ name money; value 7; }");
  EXPECT_EQ(stepScript(), Script::kRunning);
  EXPECT_EQ(std::tuple(battle(), game().messageWindow().isIdle()), std::tuple(nullptr, true));
  EXPECT_EQ(stepScript(), Script::kRunning);
  const Battle* started = battle();
  ASSERT_NE(started, nullptr);
  EXPECT_FLOAT_EQ(started->level(), game().currentLevel() + 2.5f);
  EXPECT_EQ(std::tuple(std::string(started->bgm()), started->triggers().size(), started->dialogue(), command().step()),
            std::tuple("ボス戦", 1u, nullptr, BattleCommand::kClosing));
  EXPECT_EQ(stepScript(), Script::kRunning);
  EXPECT_TRUE(game().messageWindow().isIdle());
  EXPECT_EQ(stepScript(), Script::kRunning) << "the fourth step yields";
  EXPECT_EQ(integer("money"), 0);
  EXPECT_EQ(stepScript(), Script::kFinished);
  EXPECT_EQ(std::tuple(integer("money"), command().step()), std::tuple(7, BattleCommand::kOpening));
}

// The battle stands in the named scene; without a name, in the site's.
// Without a BGM line it plays the usual battle tune.
TEST_F(BattleSetupTest, TheNamedSceneIsTheBattlesOwn) {
  fs().put("src/picture/scene/試しの間.txt", std::string("container{ file room.txt; model 床; }"));
  fs().put("src/picture/scene/room.txt", std::string("model{ name 床; }"));
  load("battle{ rank 0; scene 試しの間; start{} }");
  stepScript();
  stepScript();
  const Battle* started = battle();
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(std::tuple(const_cast<Battle*>(started)->sceneModels().entries().count(), std::string(started->bgm())),
            std::tuple(1, "通常戦闘"));
}

TEST_F(BattleSetupTest, ABossSaysItsLinesBeforeAndAfter) {
  load("battle{ rank 0; start{ createEnemy{ name 骨の兵士; position 0,0; } createEnemy{ name 影法師; position 1,1; } } }");
  ASSERT_NE(command().dialogue(), nullptr);
  EXPECT_EQ(std::tuple(std::string(command().dialogue()->face.c_str()), command().dialogue()->opening.lines.count(),
                       command().dialogue()->closing.lines.count()),
            std::tuple("影法師", 2, 1));
  stepScript();
  EXPECT_FALSE(game().messageWindow().isIdle());
  game().messageWindow().clear();
  stepScript();
  const Battle* started = battle();
  ASSERT_NE(started, nullptr);
  EXPECT_EQ(started->dialogue(), command().dialogue());
  game().setBattle(nullptr);
  stepScript();
  EXPECT_FALSE(game().messageWindow().isIdle());
  // A boss first in "start" with closing lines alone.
  load("battle{ rank 0; start{ createEnemy{ name 骨の騎士; position 1,1; } } }");
  ASSERT_NE(command().dialogue(), nullptr);
  EXPECT_EQ(std::pair(command().dialogue()->opening.lines.count(), command().dialogue()->closing.lines.count()),
            std::pair(0, 1));
}

// Enemy "level" is the rank, "grade" the scale; the nickname names it.
TEST_F(BattleSetupTest, CreateEnemyPlacesTheEnemyAsAsked) {
  {
    Battle& plainOnly = fight();
    command("createEnemy{ name 泥スライム; position 0,0; }");
    EXPECT_EQ(plainOnly.rankTracker().highest(), 0) << "no level: rank 0";
  }
  Battle& battle = fight();
  command("createEnemy{ name 泥スライム; position 1,2; nickName 大きな泥; grade 150; level 2; destroyEffect boom; }"
          "createEnemy{ name 泥スライム; position 0,0; }");
  Game::Unit& big = enemyAt(battle, 1, 2);
  Game::Unit& plain = enemyAt(battle, 0, 0);
  EXPECT_EQ(std::tuple(big.hasName("大きな泥"), big.defeatStyle(), battle.rankTracker().highest(), plain.defeatStyle(),
                       static_cast<const Game::EnemyGhost&>(big.ghost()).scale(),
                       static_cast<const Game::EnemyGhost&>(plain.ghost()).scale()),
            std::tuple(true, 1, 2, 0, 1.5f, 1.f));
  while (battle.unitCount() < Battle::kMaxUnits) {
    battle.addEnemy(*Game::Database::instance()->findEnemy("泥スライム"), 2, 2, 1.f, 0);
  }
  command("createEnemy{ name 泥スライム; position 2,1; }");
  EXPECT_EQ(battle.unitCount(), Battle::kMaxUnits);
}

TEST_F(BattleSetupTest, CareSetStateRecallAndCreateRaceActOnTheNamedUnits) {
  Battle& battle = fight();
  Game::Unit* shade = battle.addEnemy(*Game::Database::instance()->findEnemy("影法師"), 1, 1, 1.f, 0);
  ASSERT_NE(shade, nullptr);
  command("setState{ state 毒; name 影法師; level 3; }");
  EXPECT_EQ(shade->stateLevel("毒"), 3);
  shade->life().setHp(1);
  command("careUnit{ name 影法師; }");
  EXPECT_EQ(std::tuple(shade->stateLevel("毒"), shade->life().hp() > 1), std::tuple(0, true));
  Game::UnitEntry& entry = *battle.entryOf(*shade);
  entry.transformInto(battle, "骨の騎士", 12);
  EXPECT_EQ(entry.formCount(), 2);
  command("recall{}");
  EXPECT_EQ(std::tuple(entry.formCount(), entry.current().hasName("影法師")), std::tuple(1, true));
  // A race spawns a group under its nickname.
  const i32 before = battle.unitCount();
  command("createRace{ name 粘体; rank 50; nickName 群れの主; destroyEffect default; }");
  EXPECT_EQ(battle.unitCount(), before + 1) << "no followers without child";
  const Game::Unit* lead = battle.findUnitByName("群れの主");
  ASSERT_NE(lead, nullptr);
  // "rank 50" raises the group's level by half a level, not fifty.
  EXPECT_EQ(std::tuple(lead->defeatStyle(), lead->ghost().getLevel() < 10), std::tuple(0, true));
}

// Overlays 16 frames apart from 48, in unit order, Ildren left out.
TEST_F(BattleSetupTest, LastEscapeFadesEveryoneButIldren) {
  fs().put("src/picture/event/脱出.txt", "animation{ name main; time 8; transparency{ {value 100; delay 8;} {value 0;} } }");
  fs().put("src/picture/unit/t.txt", std::string("model{name stand;}model{name appear;}"));
  Game::NmlNode list;
  ASSERT_TRUE(list.parse("泥スライム t,1;", true));
  Game::Database::instance()->maps().units.read(list, "src/picture/unit/list.txt");
  const TestServices::Scoped renderer(TestServices::kRenderer);
  Battle& battle = fight();
  const Game::EnemyData& slime = *Game::Database::instance()->findEnemy("泥スライム");
  Game::Unit* first = battle.addEnemy(slime, 0, 0, 1.f, 0);
  Game::Unit* ildren = battle.addEnemy(slime, 0, 1, 1.f, 0);
  Game::Unit* third = battle.addEnemy(slime, 0, 2, 1.f, 0);
  ASSERT_TRUE(first && ildren && third && first->node() && ildren->node() && third->node());
  ildren->setExtraName("Ildren");
  const i32 firstSlot = battle.unitCount() - 3;
  command("lastEscape{}");
  ASSERT_EQ(first->node()->overlays().size(), 1u);
  EXPECT_FLOAT_EQ(first->node()->overlays()[0].time, -16.f * static_cast<float>(3 + firstSlot));
  EXPECT_FLOAT_EQ(third->node()->overlays()[0].time, -16.f * static_cast<float>(4 + firstSlot));
  EXPECT_TRUE(ildren->node()->overlays().empty());
  EXPECT_FLOAT_EQ(Game::SceneRenderer::instance()->camera().zoom.target(), Game::Camera::kZoomScale);
  game().setBattle(nullptr);
}

using BattleSetupDeathTest = BattleSetupTest;

TEST_F(BattleSetupDeathTest, BadBattlesStopTheLoad) {
  EXPECT_DEATH(load("battle{ rank 100; }"), "battle: no \"start\" child");
  EXPECT_DEATH(load("battle{ start{} }"), "battle: no \"rank\" line");
  EXPECT_DEATH(load("battle{ rank 1; start{ createRace{ name 無名; } } }"), "unknown");
  EXPECT_DEATH(load("battle{ rank 1; encounter sideways; start{} }"), "unknown encounter \"sideways\"");
}

}  // namespace
