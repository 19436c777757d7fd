#include <gtest/gtest.h>

#include <cstdlib>

#include "core/math/DistanceGrid.h"

namespace {

void fillCosts(Game::DistanceGrid& grid, float cost) {
  for (int x = 0; x < grid.width(); ++x) {
    for (int y = 0; y < grid.height(); ++y) {
      grid.set(x, y, cost);
    }
  }
}

TEST(DistanceGridTest, UnitCostsGiveTheBudgetLeftByManhattanDistance) {
  Game::DistanceGrid grid;
  grid.setSize(9, 7);
  fillCosts(grid, 1.f);
  grid.fill(4, 3, 3.f);
  for (int x = 0; x < 9; ++x) {
    for (int y = 0; y < 7; ++y) {
      const int distance = std::abs(x - 4) + std::abs(y - 3);
      const float expected = distance <= 3 ? 4.f - static_cast<float>(distance) : 0.f;
      EXPECT_FLOAT_EQ(grid.reach(x, y), expected) << x << "," << y;
    }
  }
}

TEST(DistanceGridTest, DearCellsAreWalkedAroundAndWallsStopTheWalk) {
  Game::DistanceGrid grid;
  grid.setSize(3, 3);
  fillCosts(grid, 1.f);
  grid.set(1, 1, 10.f);  // a wall in the middle
  grid.fill(0, 1, 3.f);
  EXPECT_FLOAT_EQ(grid.reach(0, 1), 4.f);
  EXPECT_FLOAT_EQ(grid.reach(1, 1), 0.f);
  EXPECT_FLOAT_EQ(grid.reach(1, 0), 2.f);  // around by (0, 0)
  EXPECT_FLOAT_EQ(grid.reach(2, 0), 1.f);
  EXPECT_FLOAT_EQ(grid.reach(2, 1), 0.f);
}

TEST(DistanceGridTest, AFrontierWiderThanAnyFixedBufferStaysInBounds) {
  // An open 400 × 400 field with a budget to cross it: diamonds of up to
  // 1600 cells form the frontier.
  Game::DistanceGrid grid;
  grid.setSize(400, 400);
  fillCosts(grid, 1.f);
  grid.fill(200, 200, 1000.f);
  EXPECT_FLOAT_EQ(grid.reach(200, 200), 1001.f);
  EXPECT_FLOAT_EQ(grid.reach(0, 0), 601.f);
  EXPECT_FLOAT_EQ(grid.reach(399, 399), 603.f);
}

TEST(DistanceGridTest, AStartOutsideTheGridReachesNothing) {
  Game::DistanceGrid grid;
  grid.setSize(2, 2);
  fillCosts(grid, 1.f);
  grid.fill(5, -1, 3.f);
  EXPECT_FLOAT_EQ(grid.reach(0, 0), 0.f);
  EXPECT_FLOAT_EQ(grid.reach(1, 1), 0.f);
}

}  // namespace
