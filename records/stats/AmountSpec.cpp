#include "records/stats/AmountSpec.h"

#include <cmath>

#include "core/random/RandomGenerator.h"
#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"
#include "records/constance/Constance.h"

namespace Game {

using Engine::i32;

namespace {

constexpr float kTargetTermCap = 9999.f;

// Percent in the file, a rate in memory.
void readRate(const NmlNode& node, const char* key, float& out) {
  if (const NmlAttribute* line = node.findAttribute(key)) {
    out = static_cast<float>(line->toFloat(0) / 100.0);
  }
}

// The combined key, when present, sets both and hides the single ones.
void readRatePair(const NmlNode& node, const char* both, const char* first, float& a, const char* second,
                  float& b) {
  if (node.findAttribute(both)) {
    readRate(node, both, a);
    b = a;
  } else {
    readRate(node, first, a);
    readRate(node, second, b);
  }
}

}  // namespace

void AmountSpec::read(const NmlNode& node) {
  *this = AmountSpec{};
  if (const NmlAttribute* status = node.findAttribute("status")) {
    statusIndex = Constance::instance()->statusKeyIndex(status->item(0));
    statusPower = StatMath::truncate(status->toFloat(1) / 100.0);
  }
  if (const NmlAttribute* line = node.findAttribute("constance")) {
    constance = line->toInt(0);
  }
  readRatePair(node, "rateMax", "rateMaxHP", rateMaxHP, "rateMaxLP", rateMaxLP);
  readRatePair(node, "rateCurrent", "rateCurrentHP", rateCurrentHP, "rateCurrentLP", rateCurrentLP);
  readRate(node, "myHP", myHP);
  readRate(node, "myLP", myLP);
  readRate(node, "stamina", stamina);
  readRate(node, "pierce", pierce);
  readRate(node, "random", random);
}

float AmountSpec::randomFactor() const {
  if (random == 0.f) {
    return 1.f;
  }
  return 1.f - random + RandomGenerator::instance()->getFloat(2.f * random);
}

i32 AmountSpec::targetTerm(i32 maxHp, i32 maxLp, i32 hp, i32 lp, float factor) const {
  float v = rateMaxHP * static_cast<float>(maxHp);
  v += rateMaxLP * static_cast<float>(maxLp);
  v += rateCurrentHP * static_cast<float>(hp);
  v += rateCurrentLP * static_cast<float>(lp);
  v *= factor;
  if (v > kTargetTermCap) {
    v = kTargetTermCap;
  }
  if (hasTargetRate() && v < 1.f) {
    return 1;
  }
  return StatMath::truncate(v);
}

i32 AmountSpec::myTerm(i32 hp, i32 lp) const {
  return StatMath::truncate(static_cast<float>(hp) * myHP + static_cast<float>(lp) * myLP);
}

float placeDistance(const Place& a, const Place& b) {
  const i32 rows = a.side == b.side ? a.row - b.row : a.row + b.row + 1;
  const i32 columns = a.column - b.column;
  return std::sqrt(static_cast<float>(rows * rows + columns * columns));
}

}  // namespace Game
