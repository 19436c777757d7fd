#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "core/variable/VariableTable.h"
#include "records/expression/Expression.h"
#include "records/expression/FakeGameResolver.h"

namespace {

using Game::Expression;

int eval(const char* text) {
  Expression expression;
  expression.parse(text);
  return expression.evaluate();
}

struct EvalCase {
  const char* text;
  int value;
  bool wide = false;  // a literal past 32 bits, told to the watch
};

TEST(ExpressionTest, WorkedValuesEvaluateLeftToRight) {
  GameTest::FakeGameResolver game;
  game.integers["x"] = 5;
  const EvalCase cases[] = {
      {"", 0},         {"   ", 0},        {"7", 7},           {"(1+2)*3", 9},     {"1+(2*3)", 7},
      {"1+2*3", 9},    {"2*-3", 5},       {"-5", -5},         {"3>2==1", 1},      {"10/3", 3},
      {"-7/2", -3},    {"-7%2", -1},      {"1<<33", 2},       {"-8>>1", -4},      {"6&3", 2},
      {"6|3", 7},      {"6^3", 5},        {"2>3", 0},         {"2<3", 1},         {"3=3", 1},
      {"3==3", 1},     {"3!=3", 0},       {"3!3", 0},         {"2&&0", 0},        {"2||0", 1},
      {"3>=3", 1},     {"3<=2", 0},       {"1=<2", 3},        {"5 - 2 - 1", 2},   {"((4))", 4},
      {"3>3", 0},      {"3<3", 0},        {"2<=2", 1},        {"3>=4", 0},        {"2&&3", 1},
      {"0&&3", 0},     {"1||0", 1},       {"0||0", 0},
      // Names start with a character from "A" to "z" (an unknown one is rnd,
      // 0 without a random source); "@" and "{" are skipped.
      {"z(3)", 0},     {"_(3)", 0},       {"@(3)", 3},        {"{(3)", 3},
      {"1, 2", 3},     {"4)+100", 4},     {"1+", 1},          {"0x10", 0},
      // The operator buffer keeps two characters: "<<=" shifts, "*-+" is an
      // unknown pair (addition).
      {"1<<=3", 8},    {"2*-+3", 5},
      // Unclosed brackets and calls end with the text.
      {"(1+2", 3},     {"2*(3+(4", 14},   {"int(x", 5},       {"1+int", 1},
  };
  for (const EvalCase& c : cases) {
    EXPECT_EQ(eval(c.text), c.value) << '"' << c.text << '"';
  }
}

// No game flow, no databases: the game's questions have empty answers.
TEST(ExpressionTest, WithoutARunningGameEveryGameFunctionIsZero) {
  const char* texts[] = {"int(x)",      "flag(x)",   "func(x)",       "tool(x)",          "totalTool(x)",
                         "ghost(x)",    "floor()",   "partyNumber()", "symbol(x)",        "touch(a:b)",
                         "recordFloor()", "invade(x:1)", "step(x:1)",  "turn()",           "party(0)",
                         "existLastSpell()", "live(x)", "HP(x)",       "LP(x)"};
  for (const char* text : texts) {
    EXPECT_EQ(eval(text), 0) << text;
  }
}

// Literals wrap too; one past a signed value (past its negation after a lone
// '-') is told to the watch with the whole text.
const char* gWideText = nullptr;

TEST(ExpressionTest, ArithmeticNeverTraps) {
  const EvalCase cases[] = {
      {"7/0", 0},                  {"7%0", 7},                {"(0-2147483647-1)/(0-1)", INT_MIN},
      {"(0-2147483647-1)%(0-1)", 0},     {"2147483647+1", INT_MIN}, {"65536*65536", 0},
      {"1<<31", INT_MIN},          {"1<<32", 1},              {"-1>>40", -1},
      {"-1<<(0-1)", INT_MIN},      {"4294967297", 1, true},   {"0-2147483647-1-1", INT_MAX},
      {"2147483648", INT_MIN, true},   {"-2147483648", INT_MIN},  {"-2147483649", INT_MAX, true},
      {"2*-2147483648", -2147483646, true},  {"(1+99999999999)", 1215752192, true},  {"int(99999999999)", 0},
  };
  Expression::watchWideLiterals([](const char* text) { gWideText = text; });
  for (const EvalCase& c : cases) {
    gWideText = nullptr;
    EXPECT_EQ(eval(c.text), c.value) << c.text;
    EXPECT_EQ(gWideText == c.text, c.wide) << c.text;
  }
  Expression::watchWideLiterals(nullptr);
}

TEST(ExpressionTest, ParseReportsWhereTheTextEnds) {
  EXPECT_EQ(eval(std::string(10000, '-').append("1").c_str()), 1);  // the operator buffer drops the rest
  Expression expression;
  EXPECT_EQ(expression.parse("(1+2", ')'), 4);
  EXPECT_EQ(expression.parse("1+2)+7", ')'), 4);
  EXPECT_EQ(expression.parse("12"), 3);
  // No text reads as the empty text.
  EXPECT_EQ(expression.parse(nullptr), 1);
  EXPECT_EQ(expression.parse(nullptr, ')'), 0);
  EXPECT_EQ(expression.parse("", ')'), 0);
}

TEST(ExpressionTest, OperatorCodesOfOneOrTwoCharacters) {
  const struct {
    const char* text;
    int code;
  } cases[] = {{"", 0},    {"+", 0},   {"-", 1},   {"*", 2},   {"/", 3},   {"%", 4},   {"<<", 5},  {">>", 6},
               {"&", 7},   {"|", 8},   {"^", 9},   {">", 10},  {"<", 11},  {"==", 12}, {"=", 12},  {"!=", 13},
               {"!", 13},  {"&&", 14}, {"||", 15}, {">=", 16}, {"<=", 17}, {"*-", 0},  {"=<", 0},  {"<<=", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(Expression::operatorCode(c.text), c.code) << c.text;
  }
}

TEST(ExpressionTest, DeepBracketsReadAsZeroBeyondTheCap) {
  const std::string deep = std::string(100000, '(') + "5" + std::string(100000, ')') + "+1";
  EXPECT_EQ(eval(deep.c_str()), 1);
  const int depth = Expression::kMaxNesting;
  const std::string allowed = std::string(depth, '(') + "5" + std::string(depth, ')') + "+1";
  EXPECT_EQ(eval(allowed.c_str()), 6);
  const std::string over = std::string(depth + 1, '(') + "5" + std::string(depth + 1, ')') + "+1";
  EXPECT_EQ(eval(over.c_str()), 1);
}

TEST(ExpressionTest, TwoByteCharactersAreSkippedAndCopiedWhole) {
  GameTest::FakeGameResolver game;
  // ア is 83 41: its second byte must not start a function "A2".
  EXPECT_EQ(eval("1+ア2"), 3);
  // A lead byte takes the next byte with it, even a ')' or a ':'.
  game.integers["\x83)"] = 4;
  game.integers["\x83:"] = 6;
  EXPECT_EQ(eval("int(\x83))+1"), 5);
  EXPECT_EQ(eval("int(\x83:)"), 6);
  // A lead byte at the very end stands alone.
  EXPECT_EQ(eval("3\x83"), 3);
}

TEST(ExpressionTest, AMovedExpressionKeepsItsTerms) {
  Expression constant;
  constant.setConstant(-42);
  Expression moved(std::move(constant));
  EXPECT_EQ(moved.evaluate(), -42);
  moved.clear();
  EXPECT_EQ(moved.evaluate(), 0);
}

TEST(ExpressionTest, LeadingNotComparesZeroWithTheFlag) {
  GameTest::FakeGameResolver game;
  EXPECT_EQ(eval("!flag(door)"), 0);
  EXPECT_EQ(eval("flag(door)=0"), 1);
  game.flags.insert("door");
  EXPECT_EQ(eval("!flag(door)"), 1);
  EXPECT_EQ(eval("flag(door)=0"), 0);
}

// A game keeping its variables in a table, as the running game does.
struct TableGame final : GameTest::FakeGameResolver {
  bool findInteger(const char* name, Engine::i32* out) const override {
    if (!table->hasInteger(name)) return false;
    *out = table->getInteger(name);
    return true;
  }
  bool isFlagOn(const char* name) const override { return table->isFlagOn(name); }
  const Game::VariableTable* variableTable() const override { return table; }
  const Game::VariableTable* table = nullptr;
};

// Expressions parsed once read their names through a binding to the table:
// it follows every variable made, written, destroyed or cleared, every flag,
// and a table that replaces the game's.
TEST(ExpressionTest, BoundNamesFollowEveryChangeOfTheTable) {
  Game::VariableTable first;
  Game::VariableTable second;
  TableGame game;
  game.table = &first;
  Expression gold;
  gold.parse("int(gold)");
  Expression opened;
  opened.parse("flag(opened)*10+floor()");
  const auto values = [&] { return std::pair(gold.evaluate(), opened.evaluate()); };
  EXPECT_EQ(values(), std::pair(0, 0));
  first.createInteger("gold", false, false);
  first.integer("gold") = 5;
  first.createInteger("floor", false, false);
  first.integer("floor") = 2;
  EXPECT_EQ(values(), std::pair(5, 2));
  first.integer("gold") = 9;
  first.flagOn("opened");
  EXPECT_EQ(values(), std::pair(9, 12));
  first.flagOff("opened");
  first.destroyInteger("gold");
  EXPECT_EQ(values(), std::pair(0, 2));
  second.createInteger("gold", false, false);
  second.integer("gold") = 3;
  second.flagOn("opened");
  game.table = &second;
  EXPECT_EQ(values(), std::pair(3, 10));
  second.resetForNewCycle();
  EXPECT_EQ(values(), std::pair(0, 0));
  second.integer("gold") = 4;
  second.clear();
  EXPECT_EQ(values(), std::pair(0, 0));
}

TEST(ExpressionTest, ArgumentsSplitAtColonsInOrder) {
  GameTest::FakeGameResolver game;
  game.field = true;
  game.floorEvents.insert({"a", "b"});
  EXPECT_EQ(eval("touch(a:b)"), 1);
  EXPECT_EQ(eval("touch(b:a)"), 0);
  EXPECT_EQ(eval("touch(a\nb)"), 1);
}

}  // namespace
