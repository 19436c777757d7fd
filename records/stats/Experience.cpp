#include "records/stats/Experience.h"

#include "records/stats/StatMath.h"

namespace Game::Experience {

using Engine::i32;

i32 forLevel(i32 level) {
  if (level < 2) {
    return 0;
  }
  // Every step rounds to float: the requirements are these exact floats.
  const float l = static_cast<float>(level);
  float v = 0.5f * 10.f;
  v *= l * l;
  v *= 2.f * l + 75.f;
  v /= 6.f;
  v -= 0.5f * 10.f * 12.833333f;
  return StatMath::truncate(v);
}

i32 levelOf(i32 experience) {
  i32 level = 1;
  while (level < kMaxLevel && forLevel(level + 1) <= experience) {
    ++level;
  }
  return level;
}

i32 forMasterLevel(i32 masterLevel) {
  const i32 k = StatMath::truncate(static_cast<float>(masterLevel) * 99.f / 30.f);
  const float kf = static_cast<float>(k);
  return StatMath::truncate(10.f * 0.5f * (kf * kf / 2.f + 10.f * kf));
}

i32 masterLevelOf(i32 masterExperience) {
  i32 level = 0;
  while (level < kMaxMasterLevel && forMasterLevel(level + 1) <= masterExperience) {
    ++level;
  }
  return level;
}

float levelFactor(i32 level) { return static_cast<float>(level - 1) / 98.f; }

}  // namespace Game::Experience
