#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Beat.h"
#include "effect/bank/ReviveEmitter.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Auras.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Waves.h"
#include "presentation/motion/Curve.h"
#include "presentation/motion/Vec3Curve.h"

namespace Game::Effect {

// Named special attacks that throw lances, beams and flames at the targets.

// A node remembered with its id, so that a node reused by the pool after
// this one ended is never taken for it.
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

class KeptNode {
 public:
  void keep(SceneNode* node);
  SceneNode* get() const;

 private:
  SceneNode* mNode = nullptr;
  Engine::u32 mId = 0;
};

// Two familiars fly out beside the targets, spin, and cross over them.
class TwinRingWhirl : public NamedSpecial {
 public:
  TwinRingWhirl();
  Engine::i32 update() override;

 private:
  void sendOut();
  void crossOver();

  Bank::PieceSet mSet;
  Bank::SlashHit mSlash;
  KeptNode mFamiliars[2];
};

// Sixteen eyes open about the first target, then a curse bursts there.
class ForeseeingFiend : public NamedSpecial {
 public:
  ForeseeingFiend();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Curse mCurse;
  Bank::Shake mShake;
  Bank::MagicExplode mExplode;
};

// Sights scatter about the first target and darts fly to them; ends
// exactly on its end frame.
class LuringBaitStrike : public NamedSpecial {
 public:
  static constexpr Engine::i32 kEnd = 114;
  LuringBaitStrike();
  Engine::i32 update() override;

 private:
  void scatter();

  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Beat2 mBeat;
};

// A horde of little dolls marches from the caster to every target and
// scatters; the targets burst under them.
class MarchingHordeRush : public NamedSpecial {
 public:
  MarchingHordeRush() = default;
  Engine::i32 update() override;

 private:
  void march();

  Bank::EmissionPair mEmission;
  Bank::ExplodeS mExplode;
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

// Fangs close on the first target where it stands.
class AgelessDuskFangs : public NamedSpecial {
 public:
  AgelessDuskFangs();
  Engine::i32 update() override;

 private:
  Bank::EmissionRed mEmission;
  Bank::PieceSet mSet;
};

// The attacks that step to the centre line and turn their piece to the
// side of the targeted cell.
class CentreLineSpecial : public NamedSpecial {
 protected:
  // The targeted cell's side, 0 or 1.
  float targetSide() const;
  Module::Module* moveToCentreLine(float height, Engine::i32 frames);
};

// The caster steps to the centre line and throws a lance across the field;
// rings and a jet burst about it as the throw lands.
class CrimsonLanceThrow : public CentreLineSpecial {
 public:
  static constexpr Engine::i32 kReady = 64;
  static constexpr Engine::i32 kLand = 160;
  CrimsonLanceThrow();
  Engine::i32 update() override;

 private:
  void ready();
  void land();

  Bank::PieceSet mSet;
  Bank::RingParticle mRings;
  Bank::RingA mRing;
  Bank::EmissionRed mEmission;
  Bank::Particle mJet;
  Bank::ShockWaveL mShock;
};

// Five chains shoot in about the first target and bind it, the screen
// flickering as they pull.
class BindingChainLash : public NamedSpecial {
 public:
  static constexpr Engine::i32 kChains = 5;
  static constexpr Engine::i32 kLinks = 14;
  BindingChainLash();
  Engine::i32 update() override;

 private:
  void shootChain(Engine::i32 c, const Engine::Math::Vector3& target);

  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

// The caster leaps high and fires a prism beam down at the first target;
// ends exactly on its end frame.
class FallingPrismBeam : public NamedSpecial {
 public:
  static constexpr Engine::i32 kEnd = 160;
  FallingPrismBeam();
  Engine::i32 update() override;

 private:
  void fire();

  Bank::PieceSet mSet;
  Bank::ParticlePrism mPrism;
  Bank::ShockWaveL mShock;
  Bank::Cinders mCinders;
};

// The caster steps to the centre line and sweeps the targets' side with a
// great prism beam.
class GreatPrismBeam : public CentreLineSpecial {
 public:
  GreatPrismBeam();
  Engine::i32 update() override;

 private:
  void fire();

  Bank::PieceSet mSet;
  Bank::ParticlePrism mPrism;
  Bank::ShockWaveL mShock;
  Bank::Shock mJolt;
  Bank::Cinders mCinders;
};

// Four coloured orbs about the caster, each sending a beam at the first
// target.
class OrbitingStarlets : public NamedSpecial {
 public:
  OrbitingStarlets();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Beam mBeam;
  Bank::Star mStar;
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

// The caster charges a cry and sends it at the first target as a stream
// of waves.
class WailingPulse : public NamedSpecial {
 public:
  WailingPulse();
  Engine::i32 update() override;

 private:
  void charge();
  void send();

  Bank::PieceSet mSet;
  Bank::SlashHit mSlash;
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

// Five crystals of the elements turn in a ring about the caster.
class ElementalCrystalRing : public NamedSpecial {
 public:
  ElementalCrystalRing();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::CrossLightS mCross;
};

}  // namespace Game::Effect
