#include "records/stats/Parameters.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "Engine/Base/Assert.h"
#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"
#include "records/constance/Constance.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

const Constance& gameConstants() {
  const Constance* constants = Constance::instance();
  ENGINE_ASSERT(constants && "the constants are created before any stat block is read");
  return *constants;
}

}  // namespace

void Parameters::clear() { std::fill(std::begin(mValues), std::end(mValues), 0); }

void Parameters::add(const Parameters& other) {
  for (i32 i = 0; i < kCount; ++i) {
    mValues[i] = StatMath::saturate(i64{mValues[i]} + other.mValues[i]);
  }
}

void Parameters::read(const NmlNode& node) {
  for (i32 i = 0; i < kCount; ++i) {
    const NmlAttribute* line = node.findAttribute(gameConstants().parameterName(i));
    mValues[i] = line ? line->toInt(0) : 0;
  }
}

void Parameters::write(NmlNode& node) const {
  for (i32 i = 0; i < kCount; ++i) {
    node.addInt(gameConstants().parameterName(i), mValues[i]);
  }
}

i32 Parameters::value(const char* name) const {
  const i32 i = Constance::findParameter(name);
  return i < 0 ? 0 : mValues[i];
}

i32 cubeRootStatus(i32 a, i32 b, i32 c) {
  // In double: three 32-bit factors can pass 64 bits, and the product is
  // exact wherever it fits 53 bits, far beyond any stat of play. A product
  // made negative by boosts counts as 0.
  const double product = std::max(0.0, static_cast<double>(a) * static_cast<double>(b) * static_cast<double>(c));
  // The float third, as the original constant: pow(1000, 1/3) stays above 10.
  const double root = std::pow(product, static_cast<double>(0.33333334f));
  return StatMath::truncate(root * static_cast<double>(1.1f));
}

void StatusBlock::clear() { std::fill(std::begin(mValues), std::end(mValues), 0); }

void StatusBlock::derive(const Parameters& p) {
  using P = Parameters;
  mValues[kWeapon] = 0;
  mValues[kDefense] = StatMath::saturate((i64{p[P::kStrength]} + 3 * i64{p[P::kVitality]}) / 4);
  mValues[kMagicDefense] = StatMath::saturate((i64{p[P::kIntellect]} + 3 * i64{p[P::kSpirit]}) / 4);
  mValues[kAttack] = p[P::kStrength];
  mValues[kDexterity] = p[P::kDexterity];
  mValues[kMagic] = p[P::kIntellect];
  mValues[kSpeed] = p[P::kAgility];
  mValues[kResist] = cubeRootStatus(p[P::kSpirit], p[P::kVitality], p[P::kAgility]);
  mValues[kCharisma] = cubeRootStatus(p[P::kStrength], p[P::kDexterity], p[P::kIntellect]);
  mValues[kPsycho] = p[P::kPsyche];
  for (i32 i = 0; i < kCount; ++i) {
    mValues[i] = std::max(mValues[i], i == kPsycho ? kMinPsycho : 0);
  }
}

i32 StatusBlock::value(const char* name) const {
  const i32 i = Constance::findStatusKey(name);
  return i < 0 ? 0 : mValues[i];
}

void Performance::read(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("weapon")) {
    weapon = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("protector")) {
    defense = line->toInt(0);
    magicDefense = line->toInt(1);
  }
}

Performance Performance::scaled(float scale) const {
  auto scale1 = [scale](i32 v) {
    const i32 s = StatMath::truncate(static_cast<float>(v) * scale);
    return v > 0 ? std::max(s, 1) : s;
  };
  return {scale1(weapon), scale1(defense), scale1(magicDefense)};
}

i64 Performance::sum() const { return i64{weapon} + defense + magicDefense; }

}  // namespace Game
