#include <algorithm>

#include "live/unit/PlayerGhost.h"

namespace Game {

using Engine::i32;

i32 PlayerGhost::boostCost(i32 parameter) const {
  if (parameter < 0 || parameter >= Parameters::kCount) {
    return 0;
  }
  // A loaded save may hold a negative bonus: it costs what a fresh one does.
  const i32 boosts = std::max(mBonus[parameter], 0);
  return boosts >= kMaxBoosts ? 0 : 1 + boosts / kBoostsPerCostStep;
}

bool PlayerGhost::boostParameter(i32 parameter) {
  const i32 cost = boostCost(parameter);
  if (cost == 0 || mBonusPoint < cost) {
    return false;
  }
  mBonusPoint -= cost;
  ++mBonus[parameter];
  return true;
}

}  // namespace Game
