#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "core/random/RandomGenerator.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/data/unit/TestGhost.h"
#include "script/expression/Expression.h"
#include "script/expression/FakeGameResolver.h"
#include "script/expression/FunctionId.h"

namespace {

using Game::Expression;

enum class Resolver { kNone, kUnit, kPair };

struct FunctionCase {
  const char* text;
  Resolver resolver;
  int value;
};

const char* const kHeldStates[] = {"分身",   "GlintBlade", "FloatingBellSplash", "吸収付加", "カウンター無効付加",
                                   "マジックバリア", "氷バリア", "サーマルバリア", "シールド", "集中",
                                   "チャージアップ", "発狂", "CrimsonFocus", "睡眠", "暗闇",
                                   "麻痺", "ディレイ", "リヴァイヴァ"};
const char* const kLeveledStates[] = {"ゴーストキャスター", "再生", "世界", "毒"};

// The states the unit functions name, 毒 the harmful one.
void addStates(Game::Database& database) {
  for (const char* state : kHeldStates) {
    database.states().add(state);
  }
  for (const char* state : kLeveledStates) {
    database.states().add(state).setHarmful(std::string(state) == "毒");
  }
}

void setUpUnit(UnitTestSupport::TestUnit& subject) {
  subject.ghost.levelValue = 12;
  subject.ghost.defense.resist().set(Game::Database::instance()->states().find("発狂"));
  subject.setLife(30, 10, 90, 40);
  subject.setPreviousTurnDamage(10);
  Game::Unit& unit = subject.unit;
  unit.setMyTurn(true);
  for (const char* state : kHeldStates) {
    unit.setStateLevel(state, 1);
  }
  unit.setStateLevel("ゴーストキャスター", 3);
  unit.setStateLevel("再生", 4);
  unit.setStateLevel("世界", 5);
  unit.setStateLevel("毒", 6);
  for (int parameter = 5; parameter < 12; ++parameter) {
    unit.setBoost(parameter, parameter * 10);
  }
  subject.battle.guards[0] = 2;
}

class FunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Game::RandomGenerator::create();
    Game::Constance::create();
    Game::Database::create();
    addStates(*Game::Database::instance());
    mUnit = std::make_unique<UnitTestSupport::TestUnit>();
    mOther = std::make_unique<UnitTestSupport::TestUnit>();
    setUpUnit(*mUnit);
    game.integers["gold"] = 120;
    game.integers["floor"] = 3;
    game.integers["迷宮.到達階数"] = 7;
    game.flags.insert("opened");
    game.table.declare("twice", "int(gold)*2");
    game.field = true;
    game.site = "迷宮";
    game.floorEvents.insert({"stairs", "up"});
    game.symbolCells["door"] = {11, 12};
    game.battle = true;
    game.turnNumber = 4;
    game.living[0] = 3;
    game.living[1] = 2;
    game.lastSpells = true;
    game.units["slime"].setLife(5, 0, 20, 0);
    game.units["bat"].setLife(0, 3, 10, 4);
    game.units["wisp"].setLife(0, 0, 10, 4);
    game.members = {"アリス", "ボブ"};
    game.tools["薬草"] = 2;
    game.rosterTools["薬草"] = 5;
  }
  void TearDown() override {
    game.units.clear();
    mUnit.reset();
    mOther.reset();
    Game::Database::destroy();
    Game::Constance::destroy();
    Game::RandomGenerator::destroy();
  }

  int evaluate(const FunctionCase& c) {
    Expression expression;
    expression.parse(c.text);
    switch (c.resolver) {
      case Resolver::kUnit: return expression.evaluateForUnit(mUnit->unit);
      case Resolver::kPair: return expression.evaluateForUnits(mUnit->unit, c.value == 1 ? mUnit->unit : mOther->unit);
      default: return expression.evaluate();
    }
  }

  GameTest::FakeGameResolver game;
  std::unique_ptr<UnitTestSupport::TestUnit> mUnit;
  std::unique_ptr<UnitTestSupport::TestUnit> mOther;
};

TEST_F(FunctionsTest, EveryFunctionAnswersByName) {
  const FunctionCase cases[] = {
      {"rnd(1)", Resolver::kNone, 0},
      {"int(gold)", Resolver::kNone, 120},
      {"flag(opened)", Resolver::kNone, 1},
      {"func(twice)", Resolver::kNone, 240},
      {"touch(stairs:up)", Resolver::kNone, 1},
      {"symbol(door)", Resolver::kNone, 1},
      {"floor()", Resolver::kNone, 3},
      {"recordFloor()", Resolver::kNone, 7},
      {"turn()", Resolver::kNone, 4},
      {"party(1)", Resolver::kNone, 2},
      {"existLastSpell()", Resolver::kNone, 1},
      {"invade(door:11)", Resolver::kNone, 1},
      {"step(door:12)", Resolver::kNone, 1},
      {"live(wisp)", Resolver::kNone, -1},
      {"HP()", Resolver::kUnit, 30},  // (30 + 10) / (90 + 40)
      {"LP()", Resolver::kUnit, 25},
      {"ghost(ボブ)", Resolver::kNone, 1},
      {"tool(薬草)", Resolver::kNone, 2},
      {"totalTool(薬草)", Resolver::kNone, 5},
      {"partyNumber()", Resolver::kNone, 2},
      {"previousTurnDamage()", Resolver::kUnit, 25},
      {"level()", Resolver::kUnit, 12},
      // Asleep and paralysed: it cannot act.
      {"active()", Resolver::kUnit, 0},
      {"myTurn()", Resolver::kUnit, 1},
      {"mirage()", Resolver::kUnit, 1},
      {"ghostCast()", Resolver::kUnit, 3},
      {"regenerate()", Resolver::kUnit, 4},
      {"swordBarrier()", Resolver::kUnit, 1},
      {"floatingBell()", Resolver::kUnit, 1},
      {"world()", Resolver::kUnit, 5},
      {"drain()", Resolver::kUnit, 1},
      {"antiCounter()", Resolver::kUnit, 1},
      {"magicBarrier()", Resolver::kUnit, 1},
      {"iceBarrier()", Resolver::kUnit, 1},
      {"thermalBarrier()", Resolver::kUnit, 1},
      {"shield()", Resolver::kUnit, 1},
      {"concentrate()", Resolver::kUnit, 1},
      {"chargeUp()", Resolver::kUnit, 1},
      {"boostStrength()", Resolver::kUnit, 50},
      {"boostDexterity()", Resolver::kUnit, 60},
      {"boostIntelligence()", Resolver::kUnit, 70},
      {"boostAgile()", Resolver::kUnit, 80},
      {"boostVitality()", Resolver::kUnit, 90},
      {"boostWill()", Resolver::kUnit, 100},
      {"boostPsycho()", Resolver::kUnit, 110},
      {"berserker()", Resolver::kUnit, 1},
      {"hyperArmor()", Resolver::kUnit, 1},
      {"poison()", Resolver::kUnit, 6},
      {"sleep()", Resolver::kUnit, 1},
      {"blind()", Resolver::kUnit, 1},
      {"paralyze()", Resolver::kUnit, 1},
      {"delay()", Resolver::kUnit, 1},
      {"revive()", Resolver::kUnit, 1},
      {"goodState()", Resolver::kUnit, 1},
      {"badState()", Resolver::kUnit, 1},
      {"border()", Resolver::kUnit, 1},
      {"infrared()", Resolver::kUnit, 0},
      {"resistBerserker()", Resolver::kUnit, 1},
      {"sameUnit()", Resolver::kPair, 1},
      {"sameUnit()", Resolver::kPair, 0},
  };
  std::set<int> reached;
  for (const FunctionCase& c : cases) {
    EXPECT_EQ(evaluate(c), c.value) << c.text;
    reached.insert(Expression::functionId(std::string(c.text, std::string(c.text).find('(')).c_str()));
  }
  EXPECT_EQ(static_cast<int>(reached.size()), Expression::kFunctionCount);
}

TEST_F(FunctionsTest, UnitFunctionsWithoutTheirResolverAreZero) {
  for (int id = Game::ExpressionStuff::FunctionId::kPreviousTurnDamage; id < Expression::kFunctionCount; ++id) {
    Expression expression;
    expression.parse((std::string(Expression::functionName(id)) + "()").c_str());
    EXPECT_EQ(expression.evaluate(), 0) << Expression::functionName(id);
  }
  Expression relation;
  relation.parse("level()+sameUnit()");
  EXPECT_EQ(relation.evaluateForUnit(mUnit->unit), 12);
  EXPECT_EQ(relation.evaluateForUnits(mUnit->unit, mUnit->unit), 1);
}

TEST_F(FunctionsTest, LifeOfANamedUnitComesFromTheBattle) {
  const FunctionCase cases[] = {
      {"HP(slime)", Resolver::kNone, 25}, {"LP(slime)", Resolver::kNone, 0},   // maximum LP 0
      {"HP(bat)", Resolver::kUnit, 21},   {"LP(bat)", Resolver::kUnit, 75},    {"HP(nobody)", Resolver::kNone, 0},
      {"HP()", Resolver::kNone, 0},       {"live(slime)", Resolver::kNone, 1}, {"live(nobody)", Resolver::kNone, 0},
  };
  for (const FunctionCase& c : cases) {
    EXPECT_EQ(evaluate(c), c.value) << c.text;
  }
}

TEST_F(FunctionsTest, RatiosAgainstEmptyMaximaAreZero) {
  mUnit->setLife(0, 0, 0, 0);
  const FunctionCase cases[] = {
      {"HP()", Resolver::kUnit, 0}, {"LP()", Resolver::kUnit, 0}, {"previousTurnDamage()", Resolver::kUnit, 100}};
  for (const FunctionCase& c : cases) {
    EXPECT_EQ(evaluate(c), c.value) << c.text;
  }
  mUnit->setLife(2147483647, 2147483647, 2147483647, 2147483647);
  mUnit->setPreviousTurnDamage(2147483647);
  EXPECT_EQ(evaluate({"HP()", Resolver::kUnit, 0}), 100);
  EXPECT_EQ(evaluate({"previousTurnDamage()", Resolver::kUnit, 0}), 50);
}

TEST_F(FunctionsTest, AbsentFieldBattleAndNamesAnswerZero) {
  game.field = false;
  game.battle = false;
  const char* texts[] = {"touch(stairs:up)", "symbol(door)", "invade(door:11)", "step(door:12)", "recordFloor()",
                         "turn()",           "party(0)",     "existLastSpell()", "live(wisp)",     "HP(slime)",
                         "LP(slime)",        "int(nothing)", "func(nothing)",    "rnd(0)",        "rnd(-5)",
                         "flag(closed)",     "int()",        "ghost(nobody)"};
  for (const char* text : texts) {
    EXPECT_EQ(evaluate({text, Resolver::kNone, 0}), 0) << text;
  }
  game.battle = true;
  EXPECT_EQ(evaluate({"party(2)", Resolver::kNone, 0}), 0);
  EXPECT_EQ(evaluate({"party(-1)", Resolver::kNone, 0}), 0);
}

TEST_F(FunctionsTest, UnknownNamesAreRandomNumbers) {
  EXPECT_EQ(Expression::functionId("Rnd"), 0);
  EXPECT_EQ(Expression::functionId("levels"), 0);
  EXPECT_EQ(Expression::functionId("sameUnit"), 58);
  Game::RandomGenerator::instance()->setSeed(77);
  Expression misspelt;
  misspelt.parse("rdn(6)+rdn(6)*100+rnd(6)*10000");
  const int first = misspelt.evaluate();
  Game::RandomGenerator::instance()->setSeed(77);
  Expression spelt;
  spelt.parse("rnd(6)+rnd(6)*100+rnd(6)*10000");
  EXPECT_EQ(spelt.evaluate(), first);
  Game::Expression single;
  single.parse("rdn(6)");
  for (int i = 0; i < 50; ++i) {
    const int value = single.evaluate();
    EXPECT_GE(value, 0);
    EXPECT_LT(value, 6);
  }
}

TEST_F(FunctionsTest, NonNumericArgumentsReadAsTheNumberParserSays) {
  EXPECT_EQ(evaluate({"party(enemy)", Resolver::kNone, 0}), 3);  // no digits: side 0
  EXPECT_EQ(evaluate({"rnd(abc)", Resolver::kNone, 0}), 0);
  EXPECT_EQ(evaluate({"invade(door:0xb)", Resolver::kNone, 0}), 1);
  EXPECT_EQ(evaluate({"step(door:0b1100)", Resolver::kNone, 0}), 1);
}

}  // namespace
