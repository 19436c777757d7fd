#include <gtest/gtest.h>

#include <cstdlib>

#include "core/math/Spiral.h"

namespace {

TEST(SpiralTest, DiamondSpiralWalksRingsCounterClockwise) {
  const int expected[][2] = {{10, 20}, {11, 20}, {10, 21}, {9, 20}, {10, 19}, {12, 20}, {11, 21}, {10, 22}};
  for (int n = 0; n < 8; ++n) {
    int x = 0;
    int y = 0;
    Game::MathHelper::diamondSpiral(&x, &y, 10, 20, n);
    EXPECT_EQ(x, expected[n][0]) << n;
    EXPECT_EQ(y, expected[n][1]) << n;
  }
}

TEST(SpiralTest, DiamondSpiralVisitsEachCellOfARingOnce) {
  // Rings 1 … 5 hold 4 + 8 + … + 20 = 60 cells, all at their ring's distance.
  bool seen[11][11] = {};
  int n = 1;
  for (int ring = 1; ring <= 5; ++ring) {
    for (int i = 0; i < 4 * ring; ++i, ++n) {
      int x = 0;
      int y = 0;
      Game::MathHelper::diamondSpiral(&x, &y, 0, 0, n);
      EXPECT_EQ(std::abs(x) + std::abs(y), ring) << n;
      EXPECT_FALSE(seen[x + 5][y + 5]) << n;
      seen[x + 5][y + 5] = true;
    }
  }
}

}  // namespace
