#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// A battle unit's life: HP lasts one battle, LP is the ghost's own. Damage
// beyond HP comes off LP down to 0; the unit is alive while HP + LP is above
// 0.
class Life {
 public:
  explicit Life(Engine::i32& lp) : mLp(lp) {}

  Engine::i32 hp() const { return mHp; }
  Engine::i32 lp() const { return mLp; }
  void setHp(Engine::i32 hp) { mHp = hp; }
  Engine::i32 previousTurnDamage() const { return mPreviousTurnDamage; }
  Engine::i32 damageThisTurn() const { return mDamageThisTurn; }
  bool isAlive() const { return Engine::i64{mHp} + mLp > 0; }

  void takeDamage(Engine::i32 n);
  // HP only while LP is left.
  void recoverHp(Engine::i32 n);
  void recoverLp(Engine::i32 n);
  // HP full; a clamp brings it down to the maximum.
  void fill();
  void kill();
  // HP into [0, maxHp], LP into [0, maxLp]; no LP leaves no HP.
  void clamp(Engine::i32 maxHp, Engine::i32 maxLp);
  void endTurn();

 private:
  Engine::i32 mPreviousTurnDamage = 0;
  Engine::i32 mDamageThisTurn = 0;
  Engine::i32 mHp = 0;
  Engine::i32& mLp;
};

}  // namespace Game
