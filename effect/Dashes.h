#pragma once

#include <array>

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Beat.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Waves.h"
#include "effect/module/TrackedNode.h"

namespace Game::Effect {

// Named special attacks in which the caster dashes, leaps or flies about the
// targets, or lifts them.

// The caster changes shape and pounces round a triangle of three points
// about the targets, a strike at each corner.
class ProwlingPounce : public NamedSpecial {
 public:
  static constexpr const char* kSetFile = "src/picture/animation/ProwlingPounce.txt";
  static constexpr float kCornerReach = 128.f;
  ProwlingPounce();
  Engine::i32 update() override;
  const std::array<Vector3, 3>& corners() const { return mCorners; }

 private:
  void placeCorners();
  void changeShape();
  void strike();

  Bank::PieceSet mSet;
  Bank::Glow mGlow;
  std::array<Vector3, 3> mCorners{};
  Bank::Shake mShake;
};

// Two lasers to the caster's sides as a feint, then a leap at the target.
class PrimevalDeceiver : public NamedSpecial {
 public:
  PrimevalDeceiver();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Beat2 mBeat;
};

// Three passes through the target (behind, in front, behind), each tossing
// it up; the last one higher and longer.
class ChronicleRewrite : public NamedSpecial {
 public:
  ChronicleRewrite();
  Engine::i32 update() override;

 private:
  void strike(bool lasting);

  std::array<Vector3, 3> mPoints{};
  Bank::Beat2 mBeat;
  Bank::Shake mShake;
};

// A hop beside the target, then a leap three times its distance past it;
// the bite lands on 57.
class FeralFangs : public NamedSpecial {
 public:
  Engine::i32 update() override;

 private:
  Bank::Particle mParticle;
  Bank::Fang mFang;
  Bank::Poison mPoison;
};

// The caster drops from 3072 above the targets; the wave parts to both
// sides in eight steps.
class PartingSeaWave : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSteps = 8;
  PartingSeaWave();
  Engine::i32 update() override;

 private:
  void partTheWave();

  Bank::PieceSet mSet;
  // Held but never started.
  Bank::Poison mPoison;
  Bank::WaterSplash mSplash;
  Bank::ShockWaveL mShock;
  Bank::SpeedLines mLines;
};

// The caster fetches the ceiling from off the field, carries it overhead
// and throws it in an arc onto the aim point.
class GildedCeilingCrush : public NamedSpecial {
 public:
  GildedCeilingCrush();
  Engine::i32 update() override;

 private:
  void fetch();
  void land();

  Bank::PieceSet mSet;
  Bank::ShockWave mShock;
  Bank::Beat1 mBeat;
  // Once released, or its slot reused, it is let be.
  Module::TrackedNode mCeiling;
};

// 96 rainbow shots in a turning double spiral while the caster floats up
// and comes down.
class JewelBranchVolley : public NamedSpecial {
 public:
  JewelBranchVolley();
  Engine::i32 update() override;

 private:
  void launchShot(Engine::i32 k, Engine::i32 j);

  Bank::PieceSet mSet;
  Bank::ParticlePrism mSpray;
  Bank::Prism mPrism;
  Bank::Shake mShake;
};

// 320 motes in 32 rings of 10 along the way to the first target,
// alternately white and blue, with a travelling light.
class CelestialShroud : public NamedSpecial {
 public:
  static constexpr Engine::i32 kRings = 32;
  static constexpr Engine::i32 kPerRing = 10;
  CelestialShroud();
  Engine::i32 update() override;

 private:
  void launchRings();

  Bank::PieceSet mWhite;
  Bank::PieceSet mBlue;
  Bank::Particle mParticle;
  Bank::ParticleBlue mParticleBlue;
  Bank::Curse mCurse;
};

// A thread stretched from the caster to the first target, which is lifted
// and spun.
class SpiderThreadLift : public NamedSpecial {
 public:
  static constexpr Engine::i32 kKnots = 8;
  static constexpr float kSpin = 22.5f;
  SpiderThreadLift();
  Engine::i32 update() override;

 private:
  void tieKnots();
  void spinFirstTarget(float velocity);

  Bank::PieceSet mSet;
};

}  // namespace Game::Effect
