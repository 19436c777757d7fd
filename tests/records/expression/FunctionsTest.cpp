#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "tests/Services.h"
#include "tests/live/unit/TestGhost.h"
#include "records/expression/Expression.h"
#include "records/expression/FakeGameResolver.h"
#include "records/expression/FunctionId.h"

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
  for (int i = 0; i < 4; ++i) {
    unit.setStateLevel(kLeveledStates[i], 3 + i);
  }
  for (int parameter = 5; parameter < 12; ++parameter) {
    unit.setBoost(parameter, parameter * 10);
  }
  subject.battle.guards[0] = 2;
}

class FunctionsTest : public TestServices::Test<TestServices::kRandom | TestServices::kConstants | TestServices::kDatabase> {
 protected:
  void SetUp() override {
    Test::SetUp();
    addStates(*Game::Database::instance());
    mUnit = std::make_unique<UnitTestSupport::TestUnit>();
    mOther = std::make_unique<UnitTestSupport::TestUnit>();
    setUpUnit(*mUnit);
    game.integers = {{"gold", 120}, {"floor", 3}, {"迷宮.到達階数", 7}};
    game.flags = {"opened"};
    game.table.declare("twice", "int(gold)*2");
    game.field = game.battle = game.lastSpells = true;
    game.site = "迷宮";
    game.floorEvents = {{"stairs", "up"}};
    game.symbolCells = {{"door", {11, 12}}};
    game.turnNumber = 4;
    game.living[0] = 3;
    game.living[1] = 2;
    game.units["slime"].setLife(5, 0, 20, 0);
    game.units["bat"].setLife(0, 3, 10, 4);
    game.units["wisp"].setLife(0, 0, 10, 4);
    game.members = {"アリス", "ボブ"};
    game.tools = {{"薬草", 2}};
    game.rosterTools = {{"薬草", 5}};
  }
  void TearDown() override {
    game.units.clear();
    mUnit.reset();
    mOther.reset();
    Test::TearDown();
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

constexpr Resolver N = Resolver::kNone;
constexpr Resolver U = Resolver::kUnit;

TEST_F(FunctionsTest, EveryFunctionAnswersByName) {
  const FunctionCase cases[] = {
      {"rnd(1)", N, 0}, {"int(gold)", N, 120}, {"flag(opened)", N, 1}, {"func(twice)", N, 240},
      {"touch(stairs:up)", N, 1}, {"symbol(door)", N, 1}, {"floor()", N, 3}, {"recordFloor()", N, 7},
      {"turn()", N, 4}, {"party(1)", N, 2}, {"existLastSpell()", N, 1}, {"invade(door:11)", N, 1},
      {"step(door:12)", N, 1}, {"live(wisp)", N, -1}, {"ghost(ボブ)", N, 1}, {"tool(薬草)", N, 2},
      {"totalTool(薬草)", N, 5}, {"partyNumber()", N, 2},
      {"HP()", U, 30},  // (30 + 10) / (90 + 40)
      {"LP()", U, 25}, {"previousTurnDamage()", U, 25}, {"level()", U, 12},
      {"active()", U, 0},  // asleep and paralysed: it cannot act
      {"myTurn()", U, 1}, {"mirage()", U, 1}, {"ghostCast()", U, 3}, {"regenerate()", U, 4},
      {"swordBarrier()", U, 1}, {"floatingBell()", U, 1}, {"world()", U, 5}, {"drain()", U, 1},
      {"antiCounter()", U, 1}, {"magicBarrier()", U, 1}, {"iceBarrier()", U, 1}, {"thermalBarrier()", U, 1},
      {"shield()", U, 1}, {"concentrate()", U, 1}, {"chargeUp()", U, 1}, {"boostStrength()", U, 50},
      {"boostDexterity()", U, 60}, {"boostIntelligence()", U, 70}, {"boostAgile()", U, 80},
      {"boostVitality()", U, 90}, {"boostWill()", U, 100}, {"boostPsycho()", U, 110}, {"berserker()", U, 1},
      {"hyperArmor()", U, 1}, {"poison()", U, 6}, {"sleep()", U, 1}, {"blind()", U, 1}, {"paralyze()", U, 1},
      {"delay()", U, 1}, {"revive()", U, 1}, {"goodState()", U, 1}, {"badState()", U, 1}, {"border()", U, 1},
      {"infrared()", U, 0}, {"resistBerserker()", U, 1},
      {"sameUnit()", Resolver::kPair, 1}, {"sameUnit()", Resolver::kPair, 0},
      // A named unit's life comes from the battle; slime's maximum LP is 0.
      {"HP(slime)", N, 25}, {"LP(slime)", N, 0}, {"HP(bat)", U, 21}, {"LP(bat)", U, 75}, {"HP(nobody)", N, 0},
      {"HP()", N, 0}, {"live(slime)", N, 1}, {"live(nobody)", N, 0},
      // Arguments without digits read as the number parser says: side 0 for "enemy".
      {"party(enemy)", N, 3}, {"rnd(abc)", N, 0}, {"invade(door:0xb)", N, 1}, {"step(door:0b1100)", N, 1},
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

// Factors (100 - level) / 100 below 1 and (level + 100) / 100 above 1.
TEST_F(FunctionsTest, BarrierAndChargeHoldFromTheirFirstLevel) {
  const struct {
    int level, barrier, charge;
  } cases[] = {{0, 0, 0}, {1, 1, 1}, {100, 1, 1}};
  for (const auto& c : cases) {
    mUnit->unit.setStateLevel("マジックバリア", c.level);
    mUnit->unit.setStateLevel("チャージアップ", c.level);
    EXPECT_EQ(evaluate({"magicBarrier()", U, 0}), c.barrier) << c.level;
    EXPECT_EQ(evaluate({"chargeUp()", U, 0}), c.charge) << c.level;
  }
}

TEST_F(FunctionsTest, RatiosAgainstEmptyMaximaAreZero) {
  mUnit->setLife(0, 0, 0, 0);
  const FunctionCase cases[] = {{"HP()", U, 0}, {"LP()", U, 0}, {"previousTurnDamage()", U, 100}};
  for (const FunctionCase& c : cases) {
    EXPECT_EQ(evaluate(c), c.value) << c.text;
  }
  mUnit->setLife(2147483647, 2147483647, 2147483647, 2147483647);
  mUnit->setPreviousTurnDamage(2147483647);
  EXPECT_EQ(evaluate({"HP()", U, 0}), 100);
  EXPECT_EQ(evaluate({"previousTurnDamage()", U, 0}), 50);
}

TEST_F(FunctionsTest, AbsentFieldBattleAndNamesAnswerZero) {
  game.field = false;
  game.battle = false;
  const char* texts[] = {"touch(stairs:up)", "symbol(door)", "invade(door:11)", "step(door:12)", "recordFloor()",
                         "turn()",           "party(0)",     "existLastSpell()", "live(wisp)",     "HP(slime)",
                         "LP(slime)",        "int(nothing)", "func(nothing)",    "rnd(0)",        "rnd(-5)",
                         "flag(closed)",     "int()",        "ghost(nobody)"};
  for (const char* text : texts) {
    EXPECT_EQ(evaluate({text, N, 0}), 0) << text;
  }
  game.battle = true;
  EXPECT_EQ(evaluate({"party(2)", N, 0}), 0);
  EXPECT_EQ(evaluate({"party(-1)", N, 0}), 0);
}

TEST_F(FunctionsTest, UnknownNamesAreRandomNumbers) {
  EXPECT_EQ(Expression::functionId("Rnd"), 0);
  EXPECT_EQ(Expression::functionId("levels"), 0);
  EXPECT_EQ(std::vector<std::string>({Expression::functionName(-1), Expression::functionName(0),
                                      Expression::functionName(Expression::kFunctionCount),
                                      Expression::functionName(Expression::kFunctionCount - 1)}),
            std::vector<std::string>({"", "rnd", "", "sameUnit"}));
  Game::RandomGenerator::instance()->setSeed(77);
  Expression misspelt;
  misspelt.parse("rdn(6)+rdn(6)*100+rnd(6)*10000");
  const int first = misspelt.evaluate();
  Game::RandomGenerator::instance()->setSeed(77);
  Expression spelt;
  spelt.parse("rnd(6)+rnd(6)*100+rnd(6)*10000");
  EXPECT_EQ(spelt.evaluate(), first);
}

}  // namespace
