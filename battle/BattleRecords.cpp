#include "battle/BattleRecords.h"

#include <algorithm>
#include <limits>

namespace Game {

using Engine::i32;
using Engine::i64;

void BattleRankTracker::addRank(i32 rank) { mHighest = std::max(mHighest, rank); }

// The highest rank is never below kNoRank: the penalties cannot wrap.
i32 BattleRankTracker::value() const {
  i32 rank = mHighest;
  if (mEscaped) {
    rank -= kEscapePenalty;
  }
  if (mEncounter) {
    rank -= kEncounterPenalty;
  }
  return rank;
}

namespace {

i32 saturate(i64 value) {
  return static_cast<i32>(
      std::clamp<i64>(value, std::numeric_limits<i32>::min(), std::numeric_limits<i32>::max()));
}

}  // namespace

void BattleSpoils::addRewards(i32 moneyGained, i32 experienceGained, i32 masterGained) {
  money = saturate(i64{money} + moneyGained);
  experience = saturate(i64{experience} + experienceGained);
  masterExperience = saturate(i64{masterExperience} + masterGained);
}

float rewardFactor(i32 survivors) { return static_cast<float>(5 - survivors) / 4.f + 1.f; }

i32 scaleReward(i32 value, float factor) {
  const double scaled = static_cast<double>(value) * static_cast<double>(factor);
  return saturate(static_cast<i64>(std::clamp(scaled, -2147483648.0, 2147483647.0)));
}

void PartyRecord::addDamage(i32 amount) {
  mDamage = saturate(i64{mDamage} + amount);
}

}  // namespace Game
