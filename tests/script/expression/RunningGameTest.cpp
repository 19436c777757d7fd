// Expressions asking the game the game flow runs, not a stand-in resolver.

#include <gtest/gtest.h>

#include <string>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "battle/Battle.h"
#include "battle/EndPhases.h"
#include "core/game/GameData.h"
#include "data/Unit.h"
#include "core/game/GameFlow.h"
#include "core/input/KeyInput.h"
#include "data/Party.h"
#include "field/FieldScene.h"
#include "menu/TitleScene.h"
#include "presentation/scene/SceneRenderer.h"
#include "resource/Database.h"
#include "script/expression/Expression.h"
#include "tests/core/game/GameFixture.h"

namespace {

using namespace Game;
using Platform::Key;

int eval(const char* text) {
  Expression expression;
  expression.parse(text);
  return expression.evaluate();
}

class RunningGameTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    KeyInput::setDefaultBindings();
    Engine::Input::Manager::create();
    SceneRenderer::create(800, 600);
  }
  void TearDown() override {
    GameFlow::destroy();
    SceneRenderer::destroy();
    Engine::Input::Manager::destroy();
    GameTest::TearDown();
  }

  void step() {
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    KeyInput::updateJoystick();
    GameFlow::instance()->update();
  }
  void tap(Key key) {
    backend->fakeKeyboard.press(key);
    step();
    backend->fakeKeyboard.release(key);
    step();
  }
  // A new game from the title: a step with no key (a key held when an
  // earlier test ended is let go), the menu shown, its opening waited out,
  // the first item decided.
  GameData* startGame() {
    GameFlow::create([](bool hasMemorySave) -> TitleStage* { return new TitleScene(hasMemorySave); });
    step();
    tap(Key::X);
    for (int i = 0; i < 30; ++i) step();
    tap(Key::X);
    return GameFlow::instance()->game();
  }
};

// The databases know the item, but no game holds any.
TEST_F(RunningGameTest, ItemsCountNothingWithoutAGame) {
  ASSERT_TRUE(database().findTool("薬草"));
  EXPECT_EQ(eval("tool(薬草)"), 0);
  EXPECT_EQ(eval("totalTool(薬草)"), 0);
}

TEST_F(RunningGameTest, VariablesFlagsItemsAndTheFieldComeFromTheRunningGame) {
  GameData* started = startGame();
  ASSERT_TRUE(started && started->field());
  GameData& game = *started;
  game.variables().createInteger("gold", false, false);
  game.variables().integer("gold") = 7;
  game.variables().flagOn("opened");
  const std::string record = std::string(game.field()->siteName()) + ".到達階数";
  game.variables().createInteger(record.c_str(), false, false);
  game.variables().integer(record.c_str()) = 3;
  game.bag().add(Article::fromItem(database().findTool("薬草")), 2);
  game.party().recruit(*database().findShell("Kessa"));  // unless the opening took her in
  const struct {
    const char* text;
    int value;
  } cases[] = {{"int(gold)", 7},      {"int(silver)", 0},   {"flag(opened)", 1},   {"flag(closed)", 0},
               {"recordFloor()", 3},  {"tool(薬草)", 2},    {"totalTool(薬草)", 2}, {"tool(nothing)", 0},
               {"partyNumber()", 1},  {"ghost(Kessa)", 1},  {"ghost(nobody)", 0},   {"symbol(nobody)", 0},
               {"touch(nothing:here)", 0}, {"invade(nobody:1)", 0}, {"step(nobody:1)", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(eval(c.text), c.value) << c.text;
  }
}

// The running game's battle answers: its turn, the living units of each
// side, a unit by name and the last spell.
TEST_F(RunningGameTest, TheBattleOfTheRunningGameAnswers) {
  GameData* started = startGame();
  ASSERT_TRUE(started);
  GameData& game = *started;
  EXPECT_EQ(eval("party(0)"), 0);
  game.party().recruit(*database().findShell("Kessa"));  // unless the opening took her in
  auto* battle = new Battle(game, BattleSettings{});
  Unit* slime = battle->addEnemy(*database().findEnemy("泥スライム"), 1, 1, 1.f, 0);
  ASSERT_TRUE(slime);
  battle->addEnemy(*database().findEnemy("泥スライム"), 1, 2, 1.f, 0);
  game.setBattle(battle);
  const struct {
    const char* text;
    int value;
  } cases[] = {{"turn()", 0}, {"party(0)", 1}, {"party(1)", 2}, {"live(泥スライム)", 1}, {"existLastSpell()", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(eval(c.text), c.value) << c.text;
  }
  slime->life().kill();
  battle->setLastArt(Ability(&database().findAbility("斬り払い"), 1));
  battle->addTurn();
  EXPECT_EQ(eval("party(1)"), 1);
  EXPECT_EQ(eval("existLastSpell()"), 1);
  EXPECT_EQ(eval("turn()"), 1);
}

// The sample battle script decides a battle of the running game: a win
// once no enemy lives, a game over once no member does.
TEST_F(RunningGameTest, TheSampleBattleScriptDecidesTheRunningBattle) {
  fs().put(Battle::kScriptFile, GameTestSupport::sampleFile(Battle::kScriptFile));
  for (const bool partyFalls : {false, true}) {
    GameData* started = startGame();
    ASSERT_TRUE(started);
    GameData& game = *started;
    game.party().recruit(*database().findShell("Kessa"));  // unless the opening took her in
    game.messageWindow().clear();  // the opening's talk would hold the battle's script
    auto* battle = new Battle(game, BattleSettings{});
    Unit* slime = battle->addEnemy(*database().findEnemy("泥スライム"), 1, 1, 1.f, 0);
    ASSERT_TRUE(slime);
    game.setBattle(battle);
    for (int i = 0; i < 5; ++i) step();
    EXPECT_FALSE(battle->isDecided());
    if (partyFalls) {
      battle->unitAt(0)->life().kill();
    } else {
      slime->life().kill();
      battle->removeDefeated();
    }
    for (int i = 0; i < 20 && !battle->isDecided(); ++i) step();
    ASSERT_TRUE(battle->isDecided());
    EXPECT_EQ(game.battleResult(), partyFalls ? -1 : 1);
    EXPECT_NE(dynamic_cast<BattleStuff::Win*>(battle->over()) != nullptr, partyFalls);
    GameFlow::destroy();
  }
}

}  // namespace
