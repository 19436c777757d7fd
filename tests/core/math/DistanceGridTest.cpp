#include <gtest/gtest.h>

#include <cstdlib>

#include "core/math/DistanceGrid.h"

namespace {

// A width × height grid where every step costs 1.
struct OpenGrid : Game::DistanceGrid {
  OpenGrid(int width, int height) {
    setSize(width, height);
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        set(x, y, 1.f);
      }
    }
  }
};

TEST(DistanceGridTest, UnitCostsGiveTheBudgetLeftByManhattanDistance) {
  OpenGrid grid(9, 7);
  grid.fill(4, 3, 3.f);
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 7; ++y) {
      const int distance = std::abs(x - 4) + std::abs(y - 3);
      EXPECT_FLOAT_EQ(grid.reach(x, y), distance <= 3 ? 4.f - static_cast<float>(distance) : 0.f) << x << "," << y;
    }
  }
  grid.fill(5, -1, 3.f);  // a start outside reaches nothing
  EXPECT_FLOAT_EQ(grid.reach(4, 3), 0.f);
}

TEST(DistanceGridTest, DearCellsAreWalkedAroundAndWallsStopTheWalk) {
  OpenGrid grid(3, 3);
  grid.set(1, 1, 10.f);  // a wall in the middle
  grid.fill(0, 1, 3.f);
  EXPECT_FLOAT_EQ(grid.reach(0, 1), 4.f);
  EXPECT_FLOAT_EQ(grid.reach(1, 1), 0.f);
  EXPECT_FLOAT_EQ(grid.reach(1, 0), 2.f);  // around by (0, 0)
  EXPECT_FLOAT_EQ(grid.reach(2, 0), 1.f);
  EXPECT_FLOAT_EQ(grid.reach(2, 1), 0.f);
}

TEST(DistanceGridTest, AFrontierWiderThanAnyFixedBufferStaysInBounds) {
  // Crossing an open 400 × 400 field, the frontier grows to 1600 cells.
  OpenGrid grid(400, 400);
  grid.fill(200, 200, 1000.f);
  EXPECT_FLOAT_EQ(grid.reach(200, 200), 1001.f);
  EXPECT_FLOAT_EQ(grid.reach(0, 0), 601.f);
  EXPECT_FLOAT_EQ(grid.reach(399, 399), 603.f);
}

}  // namespace
