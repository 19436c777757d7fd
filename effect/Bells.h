#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special arts of wards, bells, stares and the eclipse: most shine
// about the caster or lay a glow on the targets rather than strike them.

// The caster walks to the field's centre and draws a double spiral of
// light about itself.
class QuietPaleRadiance : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSpiralSteps = 256;
  QuietPaleRadiance();
  Engine::i32 update() override;

 private:
  void spiral();

  Bank::PieceSet mSet;
  Bank::ShockWave mShock;
  Bank::Prism mPrism;
};

// A splash about the caster; results and the end on the first frame.
class FloatingBellSplash : public NamedSpecial {
 public:
  FloatingBellSplash() = default;
  Engine::i32 update() override;

 private:
  Bank::WaterSplash mSplash;
};

// Sixteen bells scattered about the caster under a cyan light.
class FloatingBellWard : public NamedSpecial {
 public:
  static constexpr Engine::i32 kBells = 16;
  FloatingBellWard();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// A stream of tracers from the caster into the first target, where a
// shred of the mind flies back.
class MindShredShot : public NamedSpecial {
 public:
  MindShredShot();
  Engine::i32 update() override;

 private:
  void impact();

  Bank::PieceSet mTracer;
  Bank::PieceSet mSet;
  Bank::Glow mGlow;
  Bank::Particle mParticle;
};

// An eye opens over the caster and its wave warps the screen.
class HypnoticStareWave : public NamedSpecial {
 public:
  HypnoticStareWave();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// An evasion: the "avoid" picture plays where the set places it.
class EclipseSidestep : public NamedSpecial {
 public:
  EclipseSidestep();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// A ripple drawn over the caster's place on the screen.
class EclipseRipple : public NamedSpecial {
 public:
  EclipseRipple();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

// The picture of a side effect: a large blast before the caster.
class SecondaryEffect : public NamedSpecial {
 public:
  SecondaryEffect() = default;
  Engine::i32 update() override;

 private:
  Bank::ExplodeL mExplode;
};

// A bitter draught: motes rise about the first target, then green to cyan
// lights and the poison glow.
class BitterElixir : public NamedSpecial {
 public:
  static constexpr float kHueMin = 120.f;
  static constexpr float kHueMax = 180.f;
  BitterElixir();
  Engine::i32 update() override;

 private:
  Bank::CrossLightS mCross;
  Bank::Poison mPoison;
  Bank::RisingParticle mRising;
};

// Four rings thrown through the first target; the curse follows only a
// hit, the results come on 128 either way.
class SpinningWoeRing : public NamedSpecial {
 public:
  SpinningWoeRing();
  Engine::i32 update() override;

 private:
  void afflict();

  Bank::PieceSet mSet;
  Bank::Curse mCurse;
  Bank::Stagger mStagger;
  Bank::ParticleBlue mParticle;
  Bank::HitCircleL mCircle;
};

}  // namespace Game::Effect
