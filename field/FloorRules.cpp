#include "field/FloorRules.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/random/RandomGenerator.h"

namespace Game::FloorRules {

using Engine::i32;

namespace {

// The whole part of x in the integer range; NaN gives 0.
i32 saturate(double x) {
  if (!(x == x)) {
    return 0;
  }
  const double whole = std::trunc(x);
  if (whole >= static_cast<double>(std::numeric_limits<i32>::max())) {
    return std::numeric_limits<i32>::max();
  }
  if (whole <= static_cast<double>(std::numeric_limits<i32>::min())) {
    return std::numeric_limits<i32>::min();
  }
  return static_cast<i32>(whole);
}

i32 plusOne(i32 n) { return n < std::numeric_limits<i32>::max() ? n + 1 : n; }

}  // namespace

i32 treasureCount(i32 luck, float frequency, i32 limit, RandomGenerator& random) {
  i32 count = plusOne(luck);
  float p = frequency;
  while (count < limit && random.getFloat(1.f) < p) {
    ++count;
    p *= kFrequencyFalloff;
  }
  return count;
}

i32 containerMoney(float draw, float floorLevel, float levelValue) {
  return plusOne(saturate(static_cast<double>(draw) * floorLevel * levelValue * kMoneyScale));
}

i32 lockBound(i32 pickMax, float floorLevel) {
  return plusOne(saturate((static_cast<double>(pickMax) + 1.0) * floorLevel + 0.5));
}

i32 enemyCount(float jitter, i32 cells, float frequency) {
  return saturate((static_cast<double>(jitter) + 1.0) * cells * frequency);
}

bool isNearStart(i32 x, i32 y, i32 startX, i32 startY) {
  return std::abs(static_cast<double>(x) - startX) + std::abs(static_cast<double>(y) - startY) <= kStartClearance;
}

}  // namespace Game::FloorRules
