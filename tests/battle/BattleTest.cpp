#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "battle/Battle.h"
#include "battle/CommandPhase.h"
#include "battle/TurnPhases.h"
#include "live/Unit.h"
#include "live/unit/UnitMessages.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/Widget.h"
#include "records/Database.h"
#include "records/database/ToolData.h"
#include "records/database/UnitPictureData.h"
#include "tests/Services.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Engine::i32;
using Game::Battle;
using Game::BattleSettings;

// Every phase and end phase under test writes its name and how often the
// battle script had run by then ("answer" counts the runs).
struct Journal {
  const Game::GameData& game;
  std::vector<std::string> lines;
};

// A phase or an end phase that notes its name every frame and ends after
// its frames.
template <class Base>
class Logged final : public Base {
 public:
  template <class... BaseArguments>
  Logged(Journal& journal, const char* name, i32 frames, BaseArguments&... base)
      : Base(base...), mJournal(journal), mName(name), mFrames(frames) {}
  i32 update() override {
    mJournal.lines.push_back(mName + ":" + std::to_string(mJournal.game.variables().getInteger("answer")));
    return --mFrames <= 0 ? 1 : 0;
  }

 private:
  Journal& mJournal;
  std::string mName;
  i32 mFrames;
};
using LoggedPhase = Logged<Game::BattleStuff::Phase>;
using LoggedOver = Logged<Game::BattleStuff::Over>;

// A battle in a new game whose battle script counts its runs in "answer".
class BattleTest : public BattleTestSupport::BattleGameTest {
 protected:
  static constexpr const char* kCountingScript = "let{ name answer; value int(answer)+1; }";
  // The Command phase without menus: its opening, its commit, the script.
  static constexpr int kCommandFrames = Game::BattleStuff::Command::kIntroFrames + 1 + 1;
  // A cast where nobody acts: its one frame, the script.
  static constexpr int kEmptyCastFrames = 1 + 1;

  void SetUp() override {
    BattleGameTest::SetUp();
    fs().put(Battle::kScriptFile, std::string(kCountingScript));
  }
  // The battle, the game's own, before its first frame.
  Battle& newBattle(BattleSettings settings = {}) { return makeBattle(settings, 0); }
  std::shared_ptr<Game::BattleTrigger> trigger(const char* condition, const char* script, bool repeat) {
    auto record = std::make_shared<Game::BattleTrigger>();
    record->condition.parse(condition);
    Game::NmlDocument document;
    document.loadFromText("event.txt", script);
    record->script.load(document, game());
    record->repeat = repeat;
    return record;
  }
  // Frames until the battle's turn count reaches the turn; -1 past the limit.
  int framesUntilTurn(i32 turn, int limit) {
    for (int n = 1; n <= limit; ++n) {
      run(1);
      if (battle().turn() >= turn) return n;
    }
    return -1;
  }
  static const Game::EnemyData& slime() { return enemy("泥スライム"); }
};

// Interrupts first, then the end phase, then queued scripts, then the
// phases; the battle script runs after every phase, and the battle reports
// its end only when the end phase finishes. A second end changes nothing.
TEST_F(BattleTest, UpdateRunsInterruptsTheEndScriptsAndPhasesInThatOrder) {
  Journal journal{game(), {}};
  Battle& battle = newBattle();
  battle.appendInterrupt(std::make_unique<LoggedPhase>(journal, "I", 2, battle));
  battle.appendPhase(std::make_unique<LoggedPhase>(journal, "A", 2, battle));
  battle.appendPhase(std::make_unique<LoggedPhase>(journal, "B", 1, battle));
  // Initialize, I, I, script, Start, script, A, A, script, B, script.
  for (int i = 0; i < 11; ++i) EXPECT_FALSE(run(1)) << i;
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"I:0", "I:0", "A:2", "A:2", "B:3"}));
  EXPECT_EQ(integer("answer"), 4);
  EXPECT_TRUE(battle.side(0).isStarted());

  battle.startOver(std::make_unique<LoggedOver>(journal, "O", 3));
  battle.startOver(std::make_unique<LoggedOver>(journal, "X", 1));
  battle.appendInterrupt(std::make_unique<LoggedPhase>(journal, "W", 1, battle));
  battle.appendPhase(std::make_unique<LoggedPhase>(journal, "never", 1, battle));
  for (const bool ended : {false, false, false, true}) EXPECT_EQ(run(1), ended);
  EXPECT_EQ(journal.lines, (std::vector<std::string>{"I:0", "I:0", "A:2", "A:2", "B:3", "W:4", "O:4", "O:4", "O:4"}));
  EXPECT_EQ(battle.frame(), 15);
}

// Two one-shot events due together fire in two passes, in trigger order,
// and their slots empty; a repeating one fires after every phase.
TEST_F(BattleTest, OneShotEventsFireOneAPassAndRepeatingOnesEveryPass) {
  BattleSettings settings;
  settings.triggers = {trigger("1", "let{ name answer; value int(answer)*10+100; }", false),
                       trigger("1", "let{ name answer; value int(answer)*10+200; }", false),
                       trigger("1", "let{ name money; value int(money)+1; }", true),
                       nullptr,
                       trigger("0", "let{ name answer; value 0; }", false)};
  game().money() = 0;
  Battle& battle = newBattle(settings);
  // Queued at set-up: the first one-shot, the repeating one, the script.
  EXPECT_EQ(std::tuple(battle.queuedScriptCount(), battle.triggers()[0] != nullptr, battle.triggers()[1] != nullptr),
            std::tuple(3, false, true));
  run(4);  // Initialize, first, repeating, script
  EXPECT_EQ(std::pair(integer("answer"), game().money()), std::pair(101, 1));
  run(4);  // Start, second, repeating, script
  EXPECT_EQ(std::pair(integer("answer"), game().money()), std::pair(1010 + 200 + 1, 2));
  EXPECT_FALSE(battle.triggers()[1]);
  run(1);  // the queue runs dry: a new turn
  EXPECT_EQ(battle.queuedScriptCount(), 0);
  run(1);  // TurnStart: the repeating one and the script again
  EXPECT_EQ(std::tuple(battle.queuedScriptCount(), battle.triggers()[2] != nullptr, battle.triggers()[4] != nullptr),
            std::tuple(2, true, true));
}

// A queued event keeps its script alive after the battle drops its slot,
// even when nothing else holds the record.
TEST_F(BattleTest, AFiredOneShotRecordLivesUntilItsScriptHasRun) {
  BattleSettings settings;
  settings.triggers = {trigger("1", "let{ name money; value 77; }", false)};
  Battle& battle = newBattle(settings);
  settings.triggers.clear();
  EXPECT_FALSE(battle.triggers()[0]);
  run(2);
  EXPECT_EQ(game().money(), 77);
}

// While an event script waits on a message, no phase runs; once the message
// is closed the queue goes on.
TEST_F(BattleTest, NothingRunsWhileAnEventWaitsOnAMessage) {
  BattleSettings settings;
  settings.triggers = {trigger("1", "message{ 待て。; } let{ name money; value 5; }", false)};
  game().money() = 0;
  Battle& battle = newBattle(settings);
  const auto state = [&] { return std::tuple(battle.side(0).isStarted(), battle.phaseCount(), game().money()); };
  run(30);
  EXPECT_EQ(state(), std::tuple(false, 1, 0));
  run(1, {kDecide});
  run(4);
  EXPECT_EQ(std::pair(battle.side(0).isStarted(), game().money()), std::pair(true, 5));
}

// Nothing in the battle ends it: a script that never decides runs turns for
// ever, eight frames a quiet turn.
TEST_F(BattleTest, ABattleItsScriptNeverEndsRunsTurnsForEver) {
  Battle& battle = newBattle();
  // A turn with nobody to command: TurnStart, the commands' 60-frame opening
  // and their commit, the empty cast, TurnEnd's four frames, the battle
  // script after each.
  const int turn = 8 + kCommandFrames + kEmptyCastFrames;
  EXPECT_EQ(framesUntilTurn(1, 200), 2 + turn);
  EXPECT_EQ(framesUntilTurn(2, 200), turn);
  for (int i = 0; i < 800; ++i) ASSERT_FALSE(run(1));
  EXPECT_EQ(battle.turn(), 2 + 800 / turn);
}

// The set-up counts the battle, clears the encounter count, takes at most
// five members and turns the formation round in a back attack.
TEST_F(BattleTest, SetUpTakesFiveMembersAndABackAttackSwapsTheFrontAndBackRows) {
  const std::tuple<i32, i32> cells[] = {{0, 0}, {1, 1}, {2, 2}, {0, 3}, {2, 4}, {1, 0}};
  for (const auto& [row, column] : cells) addMember(row, column);
  game().variables().integer("encounter") = 7;
  const i32 battles = game().battleCount();
  BattleSettings settings;
  settings.kind = BattleSettings::kBackAttack;
  Battle& battle = newBattle(settings);
  EXPECT_EQ(std::pair(game().battleCount(), game().encounter()), std::pair(battles + 1, 0));
  ASSERT_EQ(battle.unitCount(), 5);
  const std::tuple<i32, i32> expected[] = {{2, 0}, {1, 1}, {0, 2}, {2, 3}, {0, 4}};
  for (i32 i = 0; i < 5; ++i) {
    EXPECT_EQ(std::tuple(battle.unitAt(i)->row(), battle.unitAt(i)->column()), expected[i]) << i;
    EXPECT_EQ(&battle.unitAt(i)->ghost(), mMembers[static_cast<std::size_t>(i)].get());
    EXPECT_FALSE(battle.unitAt(i)->isBattleGhost());
  }
  Battle& even = newBattle();
  EXPECT_EQ(std::tuple(even.unitAt(0)->row(), even.unitAt(2)->row()), std::tuple(0, 2)) << "an even encounter";
}

// Five members leave room for ten enemies; the eleventh is refused. Each is
// a battle-made enemy on the nearest free cell, at the battle's enemy level
// with its rank, grown by its scale; the tracker keeps the highest rank.
TEST_F(BattleTest, AddEnemyIsRefusedAtFifteenUnits) {
  formParty(5);
  Battle& battle = newBattle();
  const i32 ranks[] = {-2, 4, 1, -1, 0, 3, 2, -3, 0, 1};
  for (i32 i = 0; i < 10; ++i) {
    ASSERT_TRUE(battle.addEnemy(slime(), 1, 2, i == 1 ? 2.f : 1.f, ranks[i])) << i;
  }
  EXPECT_FALSE(battle.addEnemy(slime(), 0, 0, 1.f, 9));
  EXPECT_EQ(std::tuple(battle.unitCount(), battle.countLiving(0), battle.countLiving(1)), std::tuple(15, 5, 10));
  EXPECT_EQ(battle.rankTracker().highest(), 4);
  Game::Unit& first = *battle.unitAt(5);
  Game::Unit& second = *battle.unitAt(6);
  EXPECT_EQ(std::tuple(first.side(), first.isBattleGhost(), first.row(), first.column(), first.ghost().getLevel()),
            std::tuple(1, true, 1, 2, slime().levelAt(battle.enemyLevel(), -2)));
  EXPECT_NE(std::tuple(second.row(), second.column()), std::tuple(1, 2));
  EXPECT_EQ(second.ghost().getLevel(), slime().levelAt(battle.enemyLevel(), 4));
  EXPECT_GT(second.maxHp(), first.maxHp());
}

TEST(BattleRankTrackerTest, HighestRankLessThreeForAnEscapeAndOneForAnEncounter) {
  Game::BattleRankTracker tracker;
  EXPECT_EQ(tracker.value(), -256);
  tracker.addRank(-300);
  EXPECT_EQ(tracker.value(), -256);
  tracker.addRank(5);
  tracker.addRank(2);
  EXPECT_EQ(tracker.value(), 5);
  tracker.setEncounter();
  EXPECT_EQ(tracker.value(), 4);
  tracker.setEscaped();
  EXPECT_EQ(tracker.value(), 1);
}

TEST(PartyRecordTest, DamageSaturatesAndFallsAndEscapesWeigh) {
  Game::PartyRecord record;
  record.addDamage(2147483000);
  record.addDamage(1000);
  EXPECT_EQ(record.damage(), 2147483647);
  record.addFall();
  record.addEscape(3);
  EXPECT_FLOAT_EQ(record.weight(), 0.05f + 0.06f);
}

// The phase's own frames: a pause of n frames runs n, of 0 or 1 one.
TEST_F(BattleTest, AWaitRunsItsFramesAndAtLeastOne) {
  Battle& battle = newBattle();
  for (const auto& [frames, expected] : {std::pair{0, 1}, {1, 1}, {2, 2}, {-5, 1}}) {
    Game::BattleStuff::Wait wait(battle, frames);
    int n = 1;
    while (wait.update() == 0 && n < 100) ++n;
    EXPECT_EQ(n, expected) << frames;
  }
}

// Poison's damage stage shows and takes it, pauses the battle for 60 frames,
// and a clean-up frame (with the battle script) follows. A member's poison
// (held, the member takes no command) is the party's damage; an enemy's is
// not (the enemy guards: a step of the cast without an effect, its end, then
// the empty cast).
TEST_F(BattleTest, PoisonBringsASixtyFramePauseAndACleanUpFrame) {
  addMember(1, 1);
  for (const bool member : {true, false}) {
    if (!member) game().party().members().clear();
    Battle& battle = newBattle();
    Game::Unit& poisoned = member ? *battle.unitAt(0) : foe(1, 1);
    poisoned.setStateLevel("毒", 3);
    poisoned.setHold(member ? 1000 : 0);
    const i32 damage = poisoned.poisonDamage();
    ASSERT_GT(damage, 0);
    EXPECT_EQ(framesUntilTurn(1, 300), kCommandFrames + kEmptyCastFrames + (member ? 10 + 60 + 1 + 1 : 72 + 1 + 1 + 1));
    EXPECT_EQ(battle.partyRecord().damage(), member ? damage : 0);
  }
}

TEST_F(BattleTest, StartTellsHowTheEncounterBeganAndStartsBothSides) {
  const std::pair<i32, std::string> cases[] = {{BattleSettings::kEven, ""},
                                               {BattleSettings::kForestall, "先手を取った！"},
                                               {BattleSettings::kForestalled, "奇襲だ！"},
                                               {BattleSettings::kBackAttack, "バックアタック！"}};
  for (const auto& [kind, message] : cases) {
    game().messages().clear();
    BattleSettings settings;
    settings.kind = kind;
    Battle& battle = newBattle(settings);
    Game::BattleStuff::Start start(battle);
    EXPECT_EQ(start.update(), 1);
    // The one window's line, "" for none.
    const auto* row = game().messages().count() > 0
                          ? dynamic_cast<const Game::Widget::Text*>(game().messages().front()->item(0))
                          : nullptr;
    EXPECT_EQ(std::tuple(battle.side(0).isStarted(), battle.side(1).isStarted(), game().messages().count(),
                         std::string(row ? row->text.c_str() : "")),
              std::tuple(true, true, message.empty() ? 0 : 1, message))
        << kind;
  }
}

TEST_F(BattleTest, TurnStartBringsHeldUnitsATurnNearerAndQueuesTheTurn) {
  Battle& battle = scenario({{0, 0}, {0, 1}}, {}, 0);
  battle.unitAt(0)->setHold(2);
  const i32 phases = battle.phaseCount();
  Game::BattleStuff::TurnStart start(battle);
  EXPECT_EQ(start.update(), 1);
  EXPECT_EQ(std::tuple(battle.unitAt(0)->hold(), battle.unitAt(1)->hold(), battle.phaseCount()),
            std::tuple(1, 0, phases + 1));
}

TEST_F(BattleTest, LookupsFindTheFirstMatchingUnit) {
  Battle& battle = scenario({{0, 0}}, {}, 0);
  Game::Unit* enemy = &foe(2, 3);
  Game::Unit* other = &foe(2, 4);
  EXPECT_EQ(std::tuple(battle.findUnitByName("Kessa"), battle.findUnitByName("泥スライム"),
                       battle.findUnitByGhost(other->ghost()), battle.unitAt(1, 2, 4)),
            std::tuple(battle.unitAt(0), enemy, other, other));
  EXPECT_EQ(std::tuple(battle.findUnit("誰か"), battle.unitAt(0, 2, 4), battle.entryOf(*enemy)),
            std::tuple(nullptr, nullptr, &battle.entry(1)));
  enemy->life().kill();
  EXPECT_EQ(battle.livingCount(1), 1);
  EXPECT_EQ(Battle::otherSide(0), 1);
}

TEST_F(BattleTest, FlashesLastTheirFramesAndTheDimBrightensInThirty) {
  Battle& battle = newBattle();
  battle.flashBlack();
  EXPECT_EQ(std::tuple(battle.flashColour(), battle.flashFrames()), std::tuple(0xFF000000u, 4));
  battle.stage().flash(0x12345678u, 2);
  run(2);
  EXPECT_EQ(battle.flashFrames(), 0);
  run(1);
  EXPECT_EQ(battle.flashFrames(), 0);
  run(26);
  EXPECT_LT(battle.dim(), 1.f);
  run(1);
  EXPECT_EQ(battle.dim(), 1.f);
}

TEST_F(BattleTest, TheScreenEffectIsClearedWhenItDisagreesWithStoppedTime) {
  Battle& battle = scenario({{0, 0}}, {}, 0);
  battle.toggleScreenEffect();
  EXPECT_TRUE(battle.isScreenEffectOn());
  battle.unitAt(0)->setStateLevel("世界", 1);
  run(1);
  EXPECT_TRUE(battle.isScreenEffectOn());
  battle.unitAt(0)->setStateLevel("世界", 0);
  run(1);
  EXPECT_FALSE(battle.isScreenEffectOn());
}

// What a stage shows over the units, recorded as it pops up.
using Shown = std::vector<std::pair<i32, Engine::u32>>;
struct ShownMessages final : Game::UnitStuff::MessageView {
  void show(const Game::UnitStuff::Message& message) override { shown.emplace_back(message.value, message.color); }
  Shown shown;
};

// The poison stage shows the damage in white and takes it; a member left at
// 0 HP falls, which weighs 0.05 on the party's record. One left at 1 HP, or
// already at 0 HP and held up by its LP, has not newly fallen.
TEST_F(BattleTest, ThePoisonStageShowsTheDamageAndCountsOnlyANewFall) {
  addMember(1, 1);
  // The HP (-1: the HP the poison leaves at 1) and LP; the HP after, the weight.
  const std::tuple<i32, i32, i32, float> rows[] = {{1, 0, 0, 0.05f}, {0, 5, 0, 0.f}, {-1, 0, 1, 0.f}};
  for (const auto& [startHp, lp, hpAfter, weight] : rows) {
    Battle& battle = newBattle();
    Game::Unit& member = *battle.unitAt(0);
    member.setStateLevel("毒", 3);
    if (lp > 0) member.ghost().lpRef() = lp;
    member.life().setHp(startHp);
    for (i32 hp = 2; startHp < 0 && hp <= member.maxHp() && member.hp() - member.poisonDamage() != 1; ++hp) {
      member.life().setHp(hp);
    }
    ASSERT_TRUE(member.isAlive());
    const i32 damage = member.poisonDamage();
    ASSERT_GT(damage, 0);
    Game::BattleStuff::TurnEnd end(battle);
    EXPECT_EQ(end.update(), 0);
    EXPECT_EQ(battle.interruptCount(), 2);
    ShownMessages view;
    member.messages().update(view);
    EXPECT_EQ(std::tuple(view.shown, member.hp(), battle.partyRecord().damage()),
              std::tuple(Shown{{damage, 0xFFFFFFFFu}}, hpAfter, damage))
        << startHp;
    EXPECT_FLOAT_EQ(battle.partyRecord().weight(), weight) << startHp;
  }
}

// Recovery over the turn: shown in green, added to HP, and like damage a
// pause and a clean-up frame follow; five frames in all (a quiet turn end
// takes four). The close ends the turn of the sides and units and makes the
// next encounter even.
TEST_F(BattleTest, TheRecoveryStageShowsGreenAndPausesTheBattle) {
  addMember(1, 1);
  BattleSettings settings;
  settings.kind = BattleSettings::kForestalled;
  Battle& battle = newBattle(settings);
  Game::Unit& member = *battle.unitAt(0);
  member.life().setHp(1);
  member.setStateLevel("再生", 10);
  battle.side(0).setPool(0);
  battle.refresh();
  const i32 amount = member.regeneration();
  ASSERT_GT(amount, 0);
  Game::BattleStuff::TurnEnd end(battle);
  EXPECT_EQ(end.update(), 0);
  EXPECT_EQ(battle.interruptCount(), 1);
  EXPECT_EQ(end.update(), 0);
  EXPECT_EQ(battle.interruptCount(), 2);
  ShownMessages view;
  member.messages().update(view);
  EXPECT_EQ(std::pair(member.hp(), view.shown), std::pair(1 + amount, Shown{{amount, 0xFF80FF80u}}));
  const i32 turn = battle.turn();
  std::vector<i32> results;
  for (int i = 0; i < 3; ++i) results.push_back(end.update());
  EXPECT_EQ(results, (std::vector<i32>{0, 0, 1}));
  EXPECT_EQ(std::tuple(battle.turn(), battle.partyRecord().damage(), battle.kind(), battle.side(0).pool(),
                       member.turnCount()),
            std::tuple(turn + 1, 0, BattleSettings::kEven, battle.side(0).regeneration(), 1));
}

// What the units and effects ask: a stolen item goes to the bag, a change
// of form flashes white, a revival grows its wings, a sound reads the list.
TEST_F(BattleTest, TheBattleAnswersItsUnits) {
  fs().put(Battle::kSoundFile, std::string("src/sound{ 斬 x; }"));
  Battle& battle = scenario({{0, 0}}, {}, 0);
  // The battle's sound list, read on the first sound an effect asks for.
  EXPECT_EQ(battle.battleSounds().count(), 0);
  battle.playBattleSound("無い", 0);
  EXPECT_EQ(battle.battleSounds().count(), 1);
  const Game::ToolData* herb = Game::Database::instance()->findTool("薬草");
  ASSERT_TRUE(herb);
  const i32 herbs = game().bag().countItem(herb);
  battle.gainItem(*herb);
  EXPECT_EQ(game().bag().countItem(herb), herbs + 1);
  battle.unitShown(*battle.unitAt(0), Game::UnitPose::kStand);
  EXPECT_EQ(battle.flashFrames(), 0);
  battle.unitShown(*battle.unitAt(0), Game::UnitPose::kAppear);
  EXPECT_EQ(std::tuple(battle.flashColour(), battle.flashFrames()), std::tuple(0x80FFFFFFu, 4));
  fs().put("src/picture/animation/common/炎.txt", std::string("model{ name main; time 20; }"));
  const i32 nodesBefore = battle.scenePool()->activeCount();
  battle.unitShown(*battle.unitAt(0), Game::UnitPose::kRevive);  // 48 bursts of 6 wing nodes
  EXPECT_EQ(battle.scenePool()->activeCount(), nodesBefore + 288);
  // An enemy's resistances, a window each.
  Game::Unit& enemy = foe(0, 0);
  std::vector<Game::String> lines;
  enemy.ghost().describeResistances(lines);
  ASSERT_FALSE(lines.empty());
  game().messages().clear();
  battle.describeResistances(enemy);
  EXPECT_EQ(game().messages().count(), static_cast<i32>(lines.size()));
  // The last art, remembered for the spell.
  EXPECT_FALSE(battle.hasLastSpells());
  battle.setLastArt(Game::Ability(&Game::Database::instance()->findAbility("斬り払い"), 1));
  ASSERT_TRUE(battle.hasLastSpells() && battle.lastSpell());
  EXPECT_TRUE(battle.lastSpell()->isValid());
}

// Only the word "default" names the ordinary battle music; every other
// name, the battles' own "通常戦闘" among them, a boss's.
TEST(BattleMusicTest, OnlyDefaultIsOrdinary) {
  const std::pair<const char*, Engine::i32> cases[] = {
      {"default", 0}, {"通常戦闘", 1}, {"", 1}, {"Default", 1}, {"default ", 1}, {"def", 1}, {nullptr, 1}};
  for (const auto& [name, kind] : cases) {
    EXPECT_EQ(Battle::musicKindFromName(name), kind) << (name ? name : "null");
  }
}

// The scene is the named one; a name without a scene file gives none. (The
// site's own scene, with no name given, is the golden command screen's.)
TEST_F(BattleTest, TheSceneIsTheNamedOne) {
  fs().put("src/picture/scene/試し.txt", std::string("container{ path 試し/set.txt; model 床; }"));
  fs().put("試し/set.txt", std::string("model{ name 床; }"));
  BattleSettings settings;
  settings.sceneName = "試し";
  EXPECT_EQ(newBattle(settings).sceneModels().entries().count(), 1);
  settings.sceneName = "ない";
  EXPECT_EQ(newBattle(settings).sceneModels().entries().count(), 0);
}

// A renderer's camera for the camera tests.
class BattleCameraTest : public TestServices::Test<TestServices::kRenderer, BattleTest> {
 protected:
  void TearDown() override {
    game().setBattle(nullptr);
    Test::TearDown();
  }
  static Game::Camera& camera() { return Game::SceneRenderer::instance()->camera(); }
};

TEST_F(BattleCameraTest, TheOpeningPlaysEveryUnitsAppearance) {
  fs().put("src/picture/unit/t.txt", std::string("model{name stand;}model{name appear;}"));
  Game::NmlNode list;
  ASSERT_TRUE(list.parse("Kessa t,1;泥スライム t,1;", true));
  Game::Database::instance()->maps().units.read(list, "src/picture/unit/list.txt");
  Battle& battle = scenario({{0, 0}}, {}, 0);
  foe(0, 0);
  run(1);
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    const Game::Unit& unit = *battle.unitAt(i);
    ASSERT_TRUE(unit.node() && unit.picture()) << i;
    EXPECT_EQ(unit.node()->getModel(), unit.picture()->appearMotion()) << i;
  }
}

TEST_F(BattleCameraTest, AStageThatHitsTurnsTheCameraToTheUnitsMiddle) {
  Battle& battle = scenario({{0, 0}, {2, 4}}, {}, 0);
  run(1);
  for (i32 i = 0; i < 2; ++i) battle.unitAt(i)->setStateLevel("毒", 3);
  Engine::Math::Vector3 a;
  Engine::Math::Vector3 b;
  battle.unitAt(0)->getPosition(a);
  battle.unitAt(1)->getPosition(b);
  Game::BattleStuff::TurnEnd end(battle);
  end.update();
  const Engine::Math::Vector3 looked = camera().followTarget.target();
  EXPECT_FLOAT_EQ(looked.x, (a.x + b.x) / 2.f);
  EXPECT_FLOAT_EQ(looked.y, (a.y + b.y) / 2.f);
  EXPECT_FLOAT_EQ(looked.z, (a.z + b.z) / 2.f);
}

// A caption is written over its side's half (a side past 1 counts as the
// party's) for 90 frames, then no more.
TEST_F(BattleCameraTest, ACaptionIsWrittenOverItsSidesHalfForNinetyFrames) {
  Battle& battle = newBattle();
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  const auto written = [&](i32 side) {
    if (side >= 0) battle.showCaption("技", side);
    writer.setPosition(1, 2);
    run(1);
    i32 x = 0;
    i32 y = 0;
    writer.getOrigin(&x, &y);
    return x;
  };
  const i32 party = written(0);
  EXPECT_LT(party, 0) << "the left half";
  EXPECT_EQ(written(2), party);
  const i32 enemies = written(1);
  EXPECT_GT(enemies, 0) << "the right half";
  run(88);
  EXPECT_EQ(written(-1), enemies) << "frame 90";
  EXPECT_EQ(written(-1), 1) << "frame 91";
}

// While a talk shows in a battle, the camera turns to the unit that speaks.
TEST_F(BattleCameraTest, TheScriptDriverTurnsTheCameraToTheSpeaker) {
  addMember(0, 0);
  newBattle();
  Game::Unit* enemy = &foe(2, 3);
  load("talk{ L 泥スライム,ぷるぷる。; } let{ name money; value 1; }");
  run(1);
  mScript.update(game());
  mScript.update(game());
  Engine::Math::Vector3 position;
  enemy->getPosition(position);
  const Engine::Math::Vector3 looked = camera().followTarget.target();
  EXPECT_EQ(std::tuple(looked.x, looked.y, looked.z), std::tuple(position.x, position.y, position.z));
}

}  // namespace
