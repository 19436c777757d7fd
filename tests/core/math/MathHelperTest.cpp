#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "core/math/ColumnOps.h"
#include "core/math/DistanceGrid.h"
#include "core/math/MathHelper.h"
#include "core/math/Mover.h"
#include "core/math/Spiral.h"

namespace {

using namespace Game::MathHelper;
using Engine::Math::Vector2;

TEST(MathHelperTest, WrapBringsValuesIntoOnePeriod) {
  EXPECT_FLOAT_EQ(wrap(-30.f, 360.f), 330.f);
  EXPECT_FLOAT_EQ(wrap(720.f, 360.f), 0.f);
  EXPECT_FLOAT_EQ(wrap(359.5f, 360.f), 359.5f);
  EXPECT_FLOAT_EQ(wrap(-1000.f, 360.f), 80.f);
  const float far = wrap(1e30f, 360.f);  // adding periods one by one would never get here
  EXPECT_GE(far, 0.f);
  EXPECT_LT(far, 360.f);
  const float tiny = wrap(-1e-8f, 360.f);  // -1e-8 + 360 rounds to 360
  EXPECT_GE(tiny, 0.f);
  EXPECT_LT(tiny, 360.f);
}

TEST(MathHelperTest, WrapReturnsOnPeriodsAndValuesItCannotWrapBy) {
  EXPECT_FLOAT_EQ(wrap(45.f, 0.f), 45.f);
  EXPECT_FLOAT_EQ(wrap(45.f, -90.f), 45.f);
  EXPECT_TRUE(std::isnan(wrap(std::nanf(""), 360.f)));
  EXPECT_FLOAT_EQ(wrap(45.f, std::nanf("")), 45.f);
  EXPECT_TRUE(std::isinf(wrap(std::numeric_limits<float>::infinity(), 360.f)));
}

TEST(MathHelperTest, QuadrantAndQuarterTurns) {
  EXPECT_EQ((std::vector<int>{quadrant(-45.f), quadrant(45.f), quadrant(90.f), quadrant(269.9f), quadrant(-360.f)}),
            (std::vector<int>{3, 0, 1, 2, 0}));
  EXPECT_EQ(quadrant(1e20f), quadrant(std::fmod(1e20f, 360.f)));  // beyond an int: still defined
  EXPECT_EQ(quadrant(std::nanf("")), 0);

  const auto turned = [](int x, int y, int quarters) {
    std::pair<int, int> out;
    rotateQuarter(&out.first, &out.second, x, y, quarters);
    return out;
  };
  EXPECT_EQ(turned(1, 0, -1), std::make_pair(0, -1));
  EXPECT_EQ(turned(1, 0, 1), std::make_pair(0, 1));
  EXPECT_EQ(turned(2, 3, 6), std::make_pair(-2, -3));
}

TEST(MathHelperTest, IntegerHelpers) {
  const std::pair<int, int> digits[] = {{0, 1}, {9, 1}, {10, 2}, {-15, 3}, {-100, 4}, {std::numeric_limits<int>::min(), 11}};
  for (const auto& [value, count] : digits) {
    EXPECT_EQ(digitCount(value), count) << value;
  }
  const std::pair<int, int> powers[] = {{-5, 1}, {1, 1}, {3, 4}, {100, 128}, {128, 128}, {1 << 30, 1 << 30}};
  for (const auto& [value, power] : powers) {
    EXPECT_EQ(nextPowerOfTwo(value), power) << value;
  }
  EXPECT_TRUE(nearOne(1.009f));
  EXPECT_FALSE(nearOne(1.011f));
}

TEST(MoverTest, AccelerateToAndMoveToAimAtTheTarget) {
  Game::Mover mover;
  mover.accelerateTo(10.f, 100.f);
  EXPECT_FLOAT_EQ(mover.acceleration(), 2.f);

  mover.reset();
  mover.setValue(10.f);
  mover.setAcceleration(2.f);
  mover.moveTo(4.f, 50.f);  // (50 − 10 − 16) / 4
  EXPECT_FLOAT_EQ(mover.velocity(), 6.f);

  mover.setDamping(0.f);
  mover.reset();  // damping back to none
  EXPECT_FLOAT_EQ(mover.damping(), 1.f);
}

TEST(ColumnOpsTest, SwapNormaliseAndEliminate) {
  Game::Array2D<float> m;
  m.setSize2D(2, 2);
  const auto cells = [&m] { return std::vector<float>{m.atXY(0, 0), m.atXY(0, 1), m.atXY(1, 0), m.atXY(1, 1)}; };
  m.atXY(0, 0) = 2.f;
  m.atXY(0, 1) = 4.f;
  m.atXY(1, 0) = 6.f;
  m.atXY(1, 1) = 3.f;
  swapColumns(m, 0, 1);
  swapColumns(m, 1, 1);
  EXPECT_EQ(cells(), (std::vector<float>{4.f, 2.f, 3.f, 6.f}));
  normaliseColumn(m, 0, 0);  // column 0 divided by 4
  // Clear m[0][1] = 2 with column 0: column 1 -= 2 * column 0.
  eliminate(m, 1, 0, 0);
  EXPECT_EQ(cells(), (std::vector<float>{1.f, 0.f, 0.75f, 6.f - 2.f * 0.75f}));
}

TEST(SpiralTest, DiamondSpiralWalksEachRingCounterClockwiseOnce) {
  const int expected[][2] = {{10, 20}, {11, 20}, {10, 21}, {9, 20}, {10, 19}, {12, 20}, {11, 21}, {10, 22}};
  int x = 0, y = 0;
  for (int n = 0; n < 8; ++n) {
    diamondSpiral(&x, &y, 10, 20, n);
    EXPECT_EQ(x, expected[n][0]) << n;
    EXPECT_EQ(y, expected[n][1]) << n;
  }
  // Rings 1 … 5 hold 4 + 8 + … + 20 = 60 cells, all at their ring's distance.
  bool seen[11][11] = {};
  for (int ring = 1, n = 1; ring <= 5; ++ring) {
    for (int i = 0; i < 4 * ring; ++i, ++n) {
      diamondSpiral(&x, &y, 0, 0, n);
      EXPECT_EQ(std::abs(x) + std::abs(y), ring) << n;
      EXPECT_FALSE(seen[x + 5][y + 5]) << n;
      seen[x + 5][y + 5] = true;
    }
  }
}

TEST(SpiralTest, HexSpiralRingsSurroundTheCentre) {
  const float root3 = std::sqrt(3.f);
  Vector2 cell;
  hexSpiral(&cell, 0);
  EXPECT_EQ(cell.squareLength(), 0.f);
  hexSpiral(&cell, 1);
  EXPECT_NEAR(cell.x, -root3, 1e-5f);
  EXPECT_NEAR(cell.y, 0.f, 1e-5f);
  // Rings 1 and 2 (indices 1 … 18): distinct neighbours, ring 1 at √3, ring 2 beyond.
  for (int index = 1; index <= 18; ++index) {
    hexSpiral(&cell, index);
    const float radius = std::sqrt(cell.squareLength());
    if (index <= 6) {
      EXPECT_NEAR(radius, root3, 1e-5f) << index;
    } else {
      EXPECT_GT(radius, 2.9f) << index;
    }
    for (int other = 0; other < index; ++other) {
      Vector2 earlier;
      Vector2 gap;
      hexSpiral(&earlier, other);
      gap.setSub(cell, earlier);
      EXPECT_GT(gap.squareLength(), 2.9f) << index << " and " << other;
    }
  }
}

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
  // (1, 0) and (2, 0) are reached around by (0, 0).
  EXPECT_EQ(
      (std::vector<float>{grid.reach(0, 1), grid.reach(1, 1), grid.reach(1, 0), grid.reach(2, 0), grid.reach(2, 1)}),
            (std::vector<float>{4.f, 0.f, 2.f, 1.f, 0.f}));
}

TEST(DistanceGridTest, AFrontierWiderThanAnyFixedBufferStaysInBounds) {
  // Crossing an open 400 × 400 field, the frontier grows to 1600 cells.
  OpenGrid grid(400, 400);
  grid.fill(200, 200, 1000.f);
  EXPECT_EQ((std::vector<float>{grid.reach(200, 200), grid.reach(0, 0), grid.reach(399, 399)}),
            (std::vector<float>{1001.f, 601.f, 603.f}));
}

}  // namespace
