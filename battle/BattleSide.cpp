#include "battle/BattleSide.h"

#include <algorithm>

#include "battle/SynchroGroups.h"
#include "live/Unit.h"
#include "records/stats/StatMath.h"
#include "live/unit/BattleServices.h"

namespace Game {

using Engine::i32;
using Engine::i64;

void BattleSide::refresh(const BattleServices& battle, const SynchroGroups& synchro) {
  mAbilities.clear();
  i64 psycho = 0;
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    const Unit* unit = battle.unitAt(i);
    if (unit && unit->side() == mSide && unit->isAlive()) {
      mAbilities.appendFrom(unit->abilities());
      psycho += unit->status()[StatusBlock::kPsycho];
    }
  }
  i64 capacity = i64{kBaseCapacity} + mAbilities.levelOfNamed("呪力容量拡大");
  i64 regeneration = i64{kBaseRegeneration} + psycho / kPsychoPerRegeneration;
  if (mSide == 0) {
    capacity += synchro.capacityBonus();
    regeneration += synchro.regenerationBonus();
  }
  mCapacity = StatMath::saturate(capacity);
  mRegeneration = StatMath::saturate(regeneration);
  clamp();
}

void BattleSide::clamp() {
  mPool = std::min(mPool, mCapacity);
  mRegeneration = std::max(mRegeneration, 0);
}

void BattleSide::start() {
  if (mStarted) {
    return;
  }
  mStarted = true;
  mPool = StatMath::saturate(i64{mPool} + mAbilities.levelOfNamed("初期呪力増加"));
  clamp();
}

void BattleSide::endTurn() {
  clamp();
  mPool = StatMath::saturate(i64{mPool} + mRegeneration);
  clamp();
  mMomentum += kMomentumPerTurn;
  mSpent = 0;
  mGuardMode = 0;
}

void BattleSide::joinChain() { mMomentum = std::max(mMomentum - kMomentumPerJoin, 0.f); }

void BattleSide::pay(i32 cost) {
  mPool = StatMath::saturate(i64{mPool} - cost);
  mSpent = StatMath::saturate(i64{mSpent} + cost);
}

void BattleSide::setPool(i32 pool) {
  mPool = pool;
  clamp();
}

}  // namespace Game
