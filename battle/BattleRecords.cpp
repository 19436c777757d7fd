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

void PartyRecord::addDamage(i32 amount) {
  const i64 sum = i64{mDamage} + amount;
  mDamage = static_cast<i32>(
      std::clamp<i64>(sum, std::numeric_limits<i32>::min(), std::numeric_limits<i32>::max()));
}

}  // namespace Game
