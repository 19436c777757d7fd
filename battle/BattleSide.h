#pragma once

#include "Engine/Base/Types.h"
#include "records/ability/AbilityList.h"

namespace Game {

class BattleServices;
class SynchroGroups;

// One side's shared energy (呪力): the pool its units pay arts from, the
// capacity the pool is held to, the regeneration each turn adds, the
// momentum that helps its units join synchro chains, and the guard mode its
// units raise. Sums saturate at the int range instead of wrapping.
class BattleSide {
 public:
  static constexpr Engine::i32 kBaseRegeneration = 3;
  static constexpr Engine::i32 kBaseCapacity = 10;
  // Psycho of the living units per point of regeneration.
  static constexpr Engine::i32 kPsychoPerRegeneration = 5;
  static constexpr float kMomentumPerTurn = 1.f;
  static constexpr float kMomentumPerJoin = 0.5f;

  explicit BattleSide(Engine::i32 side = 0) : mSide(side) {}

  // Capacity, regeneration and the merged ability list anew from the side's
  // living units (and, for the party, the active synchro groups); clamped.
  void refresh(const BattleServices& battle, const SynchroGroups& synchro);
  // The pool down to the capacity; regeneration at least 0. The pool has no
  // lower bound.
  void clamp();
  // Once per battle: the pool gains the side's 初期呪力増加.
  void start();
  // The pool regenerates; momentum grows; the turn's spending and guard end.
  void endTurn();
  // A unit of the side joined a synchro chain.
  void joinChain();
  void pay(Engine::i32 cost);
  // What other code sets the pool to; clamped.
  void setPool(Engine::i32 pool);

  Engine::i32 side() const { return mSide; }
  bool isStarted() const { return mStarted; }
  Engine::i32 pool() const { return mPool; }
  Engine::i32 capacity() const { return mCapacity; }
  Engine::i32 regeneration() const { return mRegeneration; }
  float momentum() const { return mMomentum; }
  const AbilityList& abilities() const { return mAbilities; }
  Engine::i32 spent() const { return mSpent; }
  // 0 none, 1 sidestep, 2 barrier; set by the units' states, back to 0 at
  // the side's turn end.
  Engine::i32 guardMode() const { return mGuardMode; }
  void setGuardMode(Engine::i32 mode) { mGuardMode = mode; }

 private:
  Engine::i32 mSide = 0;
  bool mStarted = false;
  Engine::i32 mPool = 0;
  Engine::i32 mCapacity = kBaseCapacity;
  Engine::i32 mRegeneration = kBaseRegeneration;
  float mMomentum = 0.f;
  AbilityList mAbilities;
  Engine::i32 mSpent = 0;
  Engine::i32 mGuardMode = 0;
};

}  // namespace Game
