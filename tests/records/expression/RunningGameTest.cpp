// Expressions asking the game the game flow runs, not a stand-in resolver.

#include <gtest/gtest.h>

#include <string>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "live/Unit.h"
#include "live/Party.h"
#include "field/FieldScene.h"
#include "records/Database.h"
#include "records/expression/Expression.h"
#include "tests/running/game/FlowFixture.h"

namespace {

using Game::Battle;
using Game::BattleSettings;
using Game::GameData;

int evalInGame(const char* text) {
  Game::Expression expression;
  expression.parse(text);
  return expression.evaluate();
}

class RunningGameTest : public GameTestSupport::FlowTest {
 protected:
  // A new game from the title: a step with no key (a key held when an
  // earlier test ended is let go), then the first item.
  GameData* startGame() {
    createFlow();
    step();
    choose(Game::TitleScene::kStart);
    return flow().game();
  }
};

// The databases know the item, but no game holds any.
TEST_F(RunningGameTest, ItemsCountNothingWithoutAGame) {
  ASSERT_TRUE(database().findTool("薬草"));
  EXPECT_EQ(evalInGame("tool(薬草)"), 0);
  EXPECT_EQ(evalInGame("totalTool(薬草)"), 0);
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
  game.bag().add(Game::Article::fromItem(database().findTool("薬草")), 2);
  game.party().recruit(*database().findShell("Kessa"));  // unless the opening took her in
  const struct {
    const char* text;
    int value;
  } cases[] = {{"int(gold)", 7},      {"int(silver)", 0},   {"flag(opened)", 1},   {"flag(closed)", 0},
               {"recordFloor()", 3},  {"tool(薬草)", 2},    {"totalTool(薬草)", 2}, {"tool(nothing)", 0},
               {"partyNumber()", 1},  {"ghost(Kessa)", 1},  {"ghost(nobody)", 0},   {"symbol(nobody)", 0},
               {"touch(nothing:here)", 0}, {"invade(nobody:1)", 0}, {"step(nobody:1)", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(evalInGame(c.text), c.value) << c.text;
  }
}

// The running game's battle answers: its turn, the living units of each
// side, a unit by name and the last spell.
TEST_F(RunningGameTest, TheBattleOfTheRunningGameAnswers) {
  GameData* started = startGame();
  ASSERT_TRUE(started);
  GameData& game = *started;
  EXPECT_EQ(evalInGame("party(0)"), 0);
  game.party().recruit(*database().findShell("Kessa"));  // unless the opening took her in
  auto* battle = new Battle(game, BattleSettings{});
  Game::Unit* slime = battle->addEnemy(*database().findEnemy("泥スライム"), 1, 1, 1.f, 0);
  ASSERT_TRUE(slime);
  battle->addEnemy(*database().findEnemy("泥スライム"), 1, 2, 1.f, 0);
  game.setBattle(battle);
  const struct {
    const char* text;
    int value;
  } cases[] = {{"turn()", 0}, {"party(0)", 1}, {"party(1)", 2}, {"live(泥スライム)", 1}, {"existLastSpell()", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(evalInGame(c.text), c.value) << c.text;
  }
  slime->life().kill();
  battle->setLastArt(Game::Ability(&database().findAbility("斬り払い"), 1));
  battle->addTurn();
  EXPECT_EQ(evalInGame("party(1)"), 1);
  EXPECT_EQ(evalInGame("existLastSpell()"), 1);
  EXPECT_EQ(evalInGame("turn()"), 1);
}

}  // namespace
