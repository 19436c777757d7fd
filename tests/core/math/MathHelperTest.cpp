#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "core/math/MathHelper.h"

namespace {

using namespace Game::MathHelper;

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
  EXPECT_EQ(quadrant(-45.f), 3);
  EXPECT_EQ(quadrant(45.f), 0);
  EXPECT_EQ(quadrant(90.f), 1);
  EXPECT_EQ(quadrant(269.9f), 2);
  EXPECT_EQ(quadrant(-360.f), 0);
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

}  // namespace
