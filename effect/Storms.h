#pragma once

#include "effect/Area.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Fire and thunder crossing at the targets, storms of poison and mist,
// flashes, cries and calls.

// Four lines of flame bursts crossing above the targets.
class CrossFire : public AreaCast {
 public:
  static constexpr Engine::i32 kSteps = 6;
  static constexpr Engine::i32 kLines = 4;
  CrossFire() = default;
  Engine::i32 update() override;

 private:
  void launchFlames();

  Bank::Emitter mEmitter;
  Bank::Sparks mSparks;
  Bank::Burned mBurned;
};

// A white and a black bolt crossing at target 0, twitching.
class CrossThunder : public AreaCast {
 public:
  CrossThunder();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  // Held, but the script uses none of them.
  Bank::Emitter mEmitter;
  Bank::Sparks mSparks;
  Bank::Burned mBurned;
};

// 64 clouds whirling out of the caster.
class IllStorm : public AreaCast {
 public:
  static constexpr Engine::i32 kClouds = 64;
  IllStorm();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Poison mPoison;
};

// One bank of fog over the field's origin.
class Mist : public AreaCast {
 public:
  Mist();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// One burst of light at the caster.
class Flash : public AreaCast {
 public:
  Flash();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  // Held, but the script lays no poison.
  Bank::Poison mPoison;
};

// 64 motes of plague spread over target 0's feet, sized by it.
class Poison : public AreaCast {
 public:
  static constexpr Engine::i32 kMotes = 64;
  Poison();
  Engine::i32 update() override;

 private:
  void spread();

  Bank::PieceSet mSet;
  Bank::Poison mPoison;
};

// Six shapes rising about target 0 under a purple light.
class Call : public AreaCast {
 public:
  static constexpr Engine::i32 kShapes = 6;
  Call();
  Engine::i32 update() override;

 private:
  void gather();

  Bank::PieceSet mSet;
  Bank::Curse mCurse;
  // Held, but the script staggers no one.
  Bank::Stagger mStagger;
};

// A cry from the caster that shocks each target as it reaches it.
class Shout : public AreaCast {
 public:
  Shout();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Shock mShock;
};

}  // namespace Game::Effect
