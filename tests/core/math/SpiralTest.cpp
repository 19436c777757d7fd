#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "core/math/Spiral.h"

namespace {

using Engine::Math::Vector2;
using Game::MathHelper::diamondSpiral;
using Game::MathHelper::hexSpiral;

TEST(SpiralTest, DiamondSpiralWalksEachRingCounterClockwiseOnce) {
  const int expected[][2] = {{10, 20}, {11, 20}, {10, 21}, {9, 20}, {10, 19}, {12, 20}, {11, 21}, {10, 22}};
  int x = 0;
  int y = 0;
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

}  // namespace
