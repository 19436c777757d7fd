#include "live/unit/Life.h"

#include <algorithm>

#include "live/unit/Ghost.h"

namespace Game {

using Engine::i32;

void Life::takeDamage(i32 n) {
  if (n <= 0) {
    return;
  }
  mDamageThisTurn = saturatingAdd(mDamageThisTurn, n);
  if (mHp <= n) {
    // A fallen unit's LP stops at 0, however hard it is hit.
    mLp = std::max(saturatingAdd(mLp, -(n - mHp)), 0);
    mHp = 0;
  } else {
    mHp -= n;
  }
}

void Life::recoverHp(i32 n) {
  if (n > 0 && mLp > 0) {
    mHp = saturatingAdd(mHp, n);
  }
}

void Life::recoverLp(i32 n) {
  if (n > 0) {
    mLp = saturatingAdd(mLp, n);
  }
}

void Life::fill() { mHp = Ghost::kFull; }

void Life::kill() {
  mHp = 0;
  mLp = 0;
}

void Life::clamp(i32 maxHp, i32 maxLp) {
  mHp = std::max(std::min(mHp, maxHp), 0);
  mLp = std::max(std::min(mLp, maxLp), 0);
  if (mLp == 0) {
    mHp = 0;
  }
}

void Life::endTurn() {
  mPreviousTurnDamage = mDamageThisTurn;
  mDamageThisTurn = 0;
}

}  // namespace Game
