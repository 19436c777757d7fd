#pragma once

#include "effect/Stomps.h"

namespace Game::Effect {

// Named special attacks of gusts, orbs, columns and blades that drift,
// throw up or carry the units between their blows.

// Gusts of rings blow from the caster across the targets.
class FieryGustRings : public GagSpecial {
 public:
  static constexpr Engine::i32 kGusts = 16;
  static constexpr Engine::i32 kRingsPerGust = 4;
  FieryGustRings();
  Engine::i32 update() override;

 private:
  void gusts();

  Bank::PieceSet mSet;
  Bank::Suction mSuction;
  Bank::ShockWaveL mShock;
  Bank::MultiRing mRing;
};

// Seven blades circle the caster as it drifts up to the first target and
// strikes it again and again.
class UntouchableDrift : public GagSpecial {
 public:
  static constexpr Engine::i32 kBlades = 7;
  UntouchableDrift();
  Engine::i32 update() override;

 private:
  void circle();

  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

// From the middle of the field the caster casts a golden lattice.
class GoldenLatticeSnare : public GagSpecial {
 public:
  GoldenLatticeSnare();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionYellow mEmission;
};

// Four orbs of four hues curve from about the caster onto the first
// target, one burst of their hue each as they land.
class PrismOrbVolley : public GagSpecial {
 public:
  static constexpr Engine::i32 kOrbs = 4;
  static constexpr Engine::i32 kOrbFlight = 96;
  PrismOrbVolley();
  Engine::i32 update() override;
  // The hue of orb i's burst.
  static float burstHue(Engine::i32 i);

 private:
  void launchOrb(Engine::i32 i);
  void burst(Engine::i32 i);

  Bank::PieceSet mSet;
  Bank::ParticlePrism mPrism;
};

// Thirty-two wards flurry from the caster over the targets.
class WardSlipFlurry : public GagSpecial {
 public:
  static constexpr Engine::i32 kWards = 32;
  WardSlipFlurry();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ExplodeS mExplode;
  Bank::Shake mShake;
};

// The ground under the aim point heaves the first target high up.
class GroundUpheaval : public GagSpecial {
 public:
  GroundUpheaval();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Stagger mStagger;
  Bank::ShockWave mShock;
};

// The caster rises and pours a column of mist across the targets, which
// are driven back under it.
class HeavenlyMistColumn : public GagSpecial {
 public:
  static constexpr Engine::i32 kColumnNodes = 128;
  static constexpr float kColumnStep = 6.f;
  HeavenlyMistColumn();
  Engine::i32 update() override;

 private:
  void pour();
  // The column's way from the caster: toward the targeted side, tilted down.
  Engine::Math::Vector3 columnWay() const;

  Bank::ChargeAura mAura;
  Bank::PieceSet mSet;
  Bank::Particle mParticle;
};

// Motes gather to the field's middle; a crimson glow wraps the first
// target.
class CrimsonFocusGlow : public GagSpecial {
 public:
  CrimsonFocusGlow();
  Engine::i32 update() override;

 private:
  Bank::ChargeParticle mCharge;
  Bank::PieceSet mSet;
  Bank::EmissionRed mEmission;
};

// The caster dashes in, throws the first target up and slashes it in the
// air until it bursts.
class BlazingEdgeBurst : public GagSpecial {
 public:
  BlazingEdgeBurst();
  Engine::i32 update() override;

 private:
  void slash();

  Bank::Particle mParticle;
  Bank::PieceSet mSet;
  Bank::ExplodeSphere mExplode;
};

}  // namespace Game::Effect
