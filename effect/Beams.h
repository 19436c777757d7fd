#pragma once

#include "effect/Ranged.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/Icicle.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Beams and rays that span the caster and the targets.

// A charge at the caster, then a beam held on target 0 while its node
// lasts.
class Laser : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 64;
  static constexpr Engine::i32 kEndFrame = 97;
  Laser();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// A ray on target 0 that glows, chills and leaves a field of icicles.
class FreezingRay : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 160;
  static constexpr Engine::i32 kEndFrame = 192;
  FreezingRay();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionCyan mGlow;
  Bank::Icicle mIcicle;
  Bank::Cold mCold;
};

// The caster gathers power, then fires a bolt at every target every fourth
// frame.
class LaserDrive : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 144;
  LaserDrive();
  Engine::i32 update() override;

 private:
  void fireVolley();

  Bank::PieceSet mSet;
  Bank::Particle mParticle;
  Bank::ChargeAura mAura;
};

// Four shots swing up beside the caster and plunge into target 0 sixteen
// frames apart, each bursting in flames.
class SunBeam : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 128;
  static constexpr Engine::i32 kEndFrame = 161;
  static constexpr Engine::i32 kShots = 4;
  static constexpr Engine::i32 kShotSpacing = 16;
  static constexpr Engine::i32 kFlightFrames = 64;
  SunBeam();
  Engine::i32 update() override;

 private:
  void fireShot(Engine::i32 k);

  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Emitter mEmitter;
  Bank::EmissionPair mEmission;
};

// Power gathered at the caster, then a stream of 64 lights toward the
// targets, which shake as it reaches each.
class GrandLaser : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 128;
  static constexpr Engine::i32 kEndFrame = 145;
  GrandLaser();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ChargeParticle mCharge;
  Bank::Shake mShake;
  Bank::Particle mParticle;
};

// The caster rises over the targeted cell, fires rings through every
// target and comes home.
class Railgun : public Ranged {
 public:
  static constexpr Engine::i32 kApplyFrame = 80;
  static constexpr Engine::i32 kEndFrame = 91;
  Railgun();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::RingParticle mRings;
};

}  // namespace Game::Effect
