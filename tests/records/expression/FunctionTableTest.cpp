#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/expression/FakeGameResolver.h"
#include "records/expression/FunctionTable.h"

namespace {

struct RecordingMenu {
  struct Line {
    std::string text;
    Engine::u32 color;
  };
  void addText(const char* text, Engine::u32 color, bool) { lines.push_back({text, color}); }
  std::vector<Line> lines;
};

int evaluate(const char* text) {
  Game::Expression expression;
  expression.parse(text);
  return expression.evaluate();
}

TEST(FunctionTableTest, FirstDeclarationWins) {
  GameTest::FakeGameResolver game;
  game.table.declare("town.gate", "1+1");
  game.table.declare("town.gate", "100");
  game.table.declare("other", "int(x)*3");
  EXPECT_EQ(game.table.count(), 2);
  EXPECT_EQ(game.table.call("town.gate"), 2);
  game.integers["x"] = 4;
  EXPECT_EQ(evaluate("func(other)+func(town.gate)"), 14);
  EXPECT_EQ(game.table.call("missing"), 0);
}

TEST(FunctionTableTest, FunctionsThatCallThemselvesStopAtTheDepthCap) {
  GameTest::FakeGameResolver game;
  game.table.declare("loop", "func(loop)+1");
  game.table.declare("a", "func(b)+1");
  game.table.declare("b", "func(a)+1");
  EXPECT_EQ(game.table.call("loop"), Game::FunctionTable::kMaxCallDepth);
  EXPECT_EQ(game.table.call("a"), Game::FunctionTable::kMaxCallDepth);
  // The depth is given back: a second call counts the same.
  EXPECT_EQ(evaluate("func(loop)"), Game::FunctionTable::kMaxCallDepth);
  // Two calls of itself would make 2^32 calls: the budget ends them.
  game.table.declare("tree", "func(tree)+func(tree)+1");
  EXPECT_EQ(game.table.call("tree"), 4096);
  EXPECT_EQ(game.table.call("tree"), 4096);
  game.table.setNestedCallBudget(10);
  EXPECT_EQ(game.table.call("tree"), 10);
}

TEST(FunctionTableTest, DumpListsEachFunctionWithItsValueInGrey) {
  GameTest::FakeGameResolver game;
  game.table.declare("one", "1");
  game.table.declare("sum", "func(one)+41");
  RecordingMenu menu;
  game.table.dump(menu);
  ASSERT_EQ(menu.lines.size(), 3u);
  EXPECT_EQ(menu.lines[0].text, "-func---------------------");
  EXPECT_EQ(menu.lines[1].text, "one 1");
  EXPECT_EQ(menu.lines[2].text, "sum 42");
  for (const RecordingMenu::Line& line : menu.lines) {
    EXPECT_EQ(line.color, 0xFFC0C0C0u);
  }
}

}  // namespace
