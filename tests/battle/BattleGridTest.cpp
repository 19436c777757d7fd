#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "battle/BattleGrid.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Game::BattleGrid;
using Game::CellSurroundings;

using Cells = std::vector<std::pair<int, int>>;

// A value per cell: rows front to back, separated by '/'.
template <class ValueOf>
std::string picture(ValueOf valueOf) {
  std::string out;
  for (int r = 0; r < BattleGrid::kRows; ++r) {
    out += r ? "/" : "";
    for (int c = 0; c < BattleGrid::kColumns; ++c) {
      out += (c ? " " : "") + std::to_string(valueOf(r, c));
    }
  }
  return out;
}

std::string surroundings(const BattleGrid& grid, int CellSurroundings::*field) {
  return picture([&](int r, int c) {
    CellSurroundings out;
    grid.cellSurroundings(out, r, c);
    return out.*field;
  });
}

BattleGrid gridOf(const Cells& cells) {
  BattleGrid grid;
  for (auto [row, column] : cells) {
    grid.set(row, column);
  }
  grid.compute();
  return grid;
}

struct SurroundingCase {
  const char* name;
  Cells cells;
  const char* cover;
  const char* front;
  const char* back;
  const char* far;
  const char* row;
};

// Counts worked out by hand from the rules: cover from the rows in front
// within one column; near counts d = 1, 2 rows away over columns within 2d
// (2 at d columns aside, else 1); far 2 at distance 3 and 1 beyond; the row
// 1 per unit in it; each surrounding the count less 2, at least 0.
TEST(BattleGridTest, CoverAndSurroundingsOfEveryCell) {
  const SurroundingCase cases[] = {
      {"lone unit", {{1, 2}}, "0 0 0 0 0/0 0 0 0 0/0 1 1 1 0", "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0",
       "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0", "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0", "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0"},
      {"full side",
       {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 0}, {2, 1}, {2, 2},
        {2, 3}, {2, 4}},
       "0 0 0 0 0/2 3 3 3 2/4 6 6 6 4", "8 10 12 10 8/2 4 5 4 2/0 0 0 0 0", "0 0 0 0 0/2 4 5 4 2/8 10 12 10 8",
       "10 9 8 9 10/9 6 6 6 9/10 9 8 9 10", "3 3 3 3 3/3 3 3 3 3/3 3 3 3 3"},
      {"scattered",
       {{2, 0}, {2, 1}, {1, 0}, {0, 4}},
       "0 0 0 0 0/0 0 0 1 1/1 1 0 1 1", "1 2 2 1 0/1 1 1 0 0/0 0 0 0 0", "0 0 0 0 0/0 0 0 0 0/0 1 1 0 0",
       "1 2 3 1 1/0 0 2 3 1/0 0 1 3 2", "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0"},
  };
  for (const SurroundingCase& c : cases) {
    const BattleGrid grid = gridOf(c.cells);
    EXPECT_EQ(picture([&](int r, int col) { return grid.cover(r, col); }), c.cover) << c.name;
    EXPECT_EQ(surroundings(grid, &CellSurroundings::front), c.front) << c.name;
    EXPECT_EQ(surroundings(grid, &CellSurroundings::back), c.back) << c.name;
    EXPECT_EQ(surroundings(grid, &CellSurroundings::far), c.far) << c.name;
    EXPECT_EQ(surroundings(grid, &CellSurroundings::row), c.row) << c.name;
  }
}

TEST(BattleGridTest, ExposedAndStackedFollowTheCover) {
  // Cover 0 0 0 0 0 / 0 0 0 1 1 / 1 1 0 1 1: a back cell with nothing in
  // front within one column stays open.
  const BattleGrid scattered = gridOf({{2, 0}, {2, 1}, {1, 0}, {0, 4}});
  EXPECT_EQ(picture([&](int r, int c) { return scattered.isExposed(r, c); }), "1 1 1 1 1/1 1 1 0 0/0 0 1 0 0");
  EXPECT_EQ(picture([&](int r, int c) { return scattered.isStacked(r, c); }), "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0");
  // Two in front within one column stack a cell; row 0 never is.
  const BattleGrid pair = gridOf({{0, 1}, {0, 2}});
  EXPECT_EQ(picture([&](int r, int c) { return pair.isStacked(r, c); }), "0 0 0 0 0/0 1 1 0 0/0 1 1 0 0");
  EXPECT_EQ(picture([&](int r, int c) { return pair.isExposed(r, c); }), "1 1 1 1 1/0 0 0 0 1/0 0 0 0 1");
}

TEST(BattleGridTest, CellsOutsideTheGridMarkCountAndFindNothing) {
  BattleGrid grid = gridOf({{-1, -1}, {3, 0}, {0, 5}, {-1, 2}, {1, -1}});
  EXPECT_EQ(picture([&](int r, int c) { return grid.isOccupied(r, c); }), "0 0 0 0 0/0 0 0 0 0/0 0 0 0 0");
  grid = gridOf({{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {1, 1}, {1, 2}, {1, 3}});
  for (auto [row, column] : Cells{{-1, -1}, {3, 2}, {1, 5}, {2, -1}}) {
    CellSurroundings out{9, 9, 9, 9};
    grid.cellSurroundings(out, row, column);
    EXPECT_EQ(out, CellSurroundings{}) << row << "," << column;
    EXPECT_EQ(std::tuple(grid.isExposed(row, column), grid.isStacked(row, column), grid.cover(row, column)),
              std::tuple(false, false, 0));
  }
}

TEST(BattleGridTest, MarksChangeTheCountsOnlyOnceComputedAndClearEmpties) {
  BattleGrid grid = gridOf({{0, 2}});
  grid.set(0, 1);
  EXPECT_EQ(grid.cover(1, 1), 1);
  grid.compute();
  EXPECT_EQ(grid.cover(1, 1), 2);
  grid.compute();
  EXPECT_EQ(grid.cover(1, 1), 2);
  grid.clear();
  EXPECT_FALSE(grid.isOccupied(0, 2));
  EXPECT_EQ(grid.cover(1, 1), 0);
}

class BattleGridUnits : public BattleTestSupport::BattleFixture {};

TEST_F(BattleGridUnits, OnlyTheLivingUnitsOfTheSideAreMarked) {
  addUnit(0, 0, 1);
  kill(addUnit(0, 0, 3));
  addUnit(1, 0, 0);
  addUnit(0, -1, -1);
  BattleGrid grid;
  grid.set(2, 4);
  grid.markLivingUnits(battle, 0);
  EXPECT_EQ(picture([&](int r, int c) { return grid.isOccupied(r, c); }), "0 1 0 0 0/0 0 0 0 0/0 0 0 0 0");
  EXPECT_EQ(picture([&](int r, int c) { return grid.cover(r, c); }), "0 0 0 0 0/1 1 1 0 0/1 1 1 0 0");
}

}  // namespace
