#pragma once

#include "effect/Lances.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/Explode.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/ReviveEmitter.h"
#include "effect/bank/Waves.h"
#include "presentation/motion/Curve.h"
#include "presentation/motion/Vec3Curve.h"

namespace Game::Effect {

// Named special attacks of fire: sweeps, plunges, meltdowns, eruptions and
// the flame bird.

// A point moving along a straight segment between two points, one curve
// an axis; time runs from the segment's start.
class Path3 {
 public:
  void line(const Engine::Math::Vector3& from, const Engine::Math::Vector3& to, float start, float duration);
  Engine::Math::Vector3 at(float time) const;

 private:
  Curve mAxes[3];
  float mStart = 0.f;
};

// A blade of fire sweeps across the aim point, leaving pillars of flame.
class FlameBrandSweep : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSweep = 64;
  static constexpr float kReach = 384.f;
  FlameBrandSweep();
  Engine::i32 update() override;

 private:
  void sweepOn();

  Bank::PieceSet mSet;
  Bank::ChargeAura mAura;
  Bank::FirePillar mPillar;
  Bank::Cinders mCinders;
  Path3 mPath;
  KeptNode mBlade;
  Bank::Stagger mStagger;
};

// The caster, charged with fire, swoops back and plunges onto the first
// target in a trail of flame.
class BlazingSkyPlunge : public NamedSpecial {
 public:
  static constexpr Engine::i32 kDive = 32;
  static constexpr Engine::i32 kImpact = 64;
  BlazingSkyPlunge();
  Engine::i32 update() override;

 private:
  void dive();
  void impact();

  Bank::PieceSet mSet;
  Bank::Glow mGlow;
  Bank::EmissionPair mEmission;
  Bank::ExplodeSphere2 mExplode;
  Bank::ChargeAura mAura;
};

// The caster glows, then melts down in a long burst of cinders, the view
// shaking harder as it goes.
class CoreMeltdownBurst : public NamedSpecial {
 public:
  static constexpr Engine::i32 kBurst = 48;
  CoreMeltdownBurst();
  Engine::i32 update() override;

 private:
  void burst();

  Bank::PieceSet mSet;
  Bank::Cinders mCinders;
  Bank::Burned mBurned;
  Bank::Glow mGlow;
  Bank::EmissionYellow mEmission;
};

// A star kindles over the first target, pulses and explodes.
class CinderConstellation : public NamedSpecial {
 public:
  CinderConstellation();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Cinders mCinders;
  Bank::Burned mBurned;
};

// Sixteen flames flung from the caster to the aim point, where pillars of
// fire rise.
class SearingGlare : public NamedSpecial {
 public:
  SearingGlare();
  Engine::i32 update() override;

 private:
  void fling();

  Bank::PieceSet mSet;
  Bank::FirePillar mPillar;
  Bank::Cinders mCinders;
  Bank::Sparks mSparks;
};

// The ground at the aim point heats, then erupts in a shower of rocks.
class EruptingPeak : public NamedSpecial {
 public:
  EruptingPeak();
  Engine::i32 update() override;

 private:
  void erupt();

  Bank::PieceSet mSet;
  Bank::GroundHeat mHeat;
  Bank::EmissionPair mEmission;
  Bank::Cinders mCinders;
};

// Wings of fire raise the first target again.
class AshenReturn : public NamedSpecial {
 public:
  AshenReturn() = default;
  Engine::i32 update() override;

 private:
  Bank::ReviveEmitter mWings;
  Bank::EmissionRed mEmission;
  Bank::CrossLightS mCross;
};

// A bird of flame rises from the caster, swoops back and dives through the
// first target, beating wings of flame that sweep back as it speeds up.
class FlameWingAscent : public NamedSpecial {
 public:
  // The flight's time 0 and the frame it passes the first target.
  static constexpr Engine::i32 kTakeOff = 32;
  static constexpr Engine::i32 kStrike = 136;
  FlameWingAscent() = default;
  Engine::i32 update() override;

 private:
  void plotFlight();
  void beatWings();
  void strike();

  Bank::Emitter mFlames;
  Bank::Glow mGlow;
  Bank::EmissionPair mEmission;
  Bank::Sparks mSparks;
  Bank::Shake mShake;
  Vec3Curve mFlight;
};

}  // namespace Game::Effect
