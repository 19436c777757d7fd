#pragma once

#include "effect/Ranged.h"
#include "effect/TimedNodeList.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Bullets, arrows, needles, feathers and water shot at the targets.

// One bullet into target 0.
class Shoot : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 48;
  static constexpr Engine::i32 kEndFrame = 65;
  Shoot();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ShotHit mHit;
};

// 22 bullets from a ring before the caster, three frames apart; they keep
// the speed that crosses the target distance less 32 in 16 frames, so they
// stand still at 32 and fly backward nearer.
class RunningFire : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 104;
  static constexpr Engine::i32 kEndFrame = 137;
  static constexpr Engine::i32 kBullets = 22;
  static constexpr Engine::i32 kBulletSpacing = 3;
  static constexpr Engine::i32 kBulletFrames = 16;
  RunningFire();
  Engine::i32 update() override;

 private:
  void fireBullets();

  Bank::PieceSet mSet;
  Bank::ShotHit mHit;
  Bank::ExplodeS mBurst;
  Bank::Particle mParticle;
  Bank::Shake mShake;
};

// An arrow arcing 192 above the middle of its way into target 0; the hit
// poisons.
class PoisonArrow : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 97;
  PoisonArrow();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ShotHit mHit;
  Bank::Poison mPoison;
};

// Needles thrown every second frame about the targets, which stick there
// until they burst together.
class Needle : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 80;
  static constexpr Engine::i32 kEndFrame = 97;
  static constexpr Engine::i32 kFirstThrowFrame = 17;
  static constexpr Engine::i32 kLastThrowFrame = 47;
  Needle();
  Engine::i32 update() override;

 private:
  void throwNeedle();

  Bank::PieceSet mSet;
  Bank::ExplodeS mBurst;
  Bank::Flash mFlash;
  TimedNodeList mNeedles;
};

// Two wings swept from the caster's sides to the ground under the target
// centre. The caster stays where its step left it.
class Feather : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 48;
  static constexpr Engine::i32 kEndFrame = 72;
  Feather();
  Engine::i32 update() override;

 private:
  void sweepWing(float side);

  Bank::PieceSet mSet;
};

// A ball of water lobbed onto target 0.
class WaterHammer : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 129;
  WaterHammer();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::WaterSplash mSplash;
};

}  // namespace Game::Effect
