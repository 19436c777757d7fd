#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Icicle.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special attacks that strike the targets where they stand: the
// caster stays home, or closes in once and comes back.

// An orb carried from the caster to the first target in 32 frames; the
// bolts burst there on 32.
class StormOrbBolts : public NamedSpecial {
 public:
  static constexpr const char* kSetFile = "src/picture/animation/StormOrbBolts.txt";
  static constexpr Engine::i32 kFlight = 32;
  StormOrbBolts();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Pakapaka mPakapaka;
  Bank::ElectroParticle mBolts;
};

// The caster closes in, drills for 32 frames, then shoves.
class SpiralBoreStrike : public NamedSpecial {
 public:
  SpiralBoreStrike();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Sparks mSparks;
  Bank::SlashHit2 mSlash;
};

// Four discs, then four impacts 16 frames apart.
class WhirlingDiscThrow : public NamedSpecial {
 public:
  WhirlingDiscThrow();
  Engine::i32 update() override;

 private:
  void impact();

  Bank::PieceSet mSet;
  Bank::Shake mShake;
  Bank::Beat2 mBeat;
};

// A blade falls on the first target.
class SacredRelicBlade : public NamedSpecial {
 public:
  SacredRelicBlade();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::SlashHit mSlash;
  Bank::ElectroParticle mBolts;
};

// A block dropped on the first target's cell, a red flash on impact.
class TriangularSlam : public NamedSpecial {
 public:
  TriangularSlam();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ShockWave mShock;
  Bank::RingA mRing;
};

// A charged swing whose wave travels 32 frames to the first target.
class FiendSunderWave : public NamedSpecial {
 public:
  FiendSunderWave();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::SpinCharge mCharge;
  Bank::Blood mBlood;
  // Held but never started.
  Bank::Glow mGlow;
  Bank::Stagger mStagger;
};

// Frost builds on the caster's front, a node a frame until 88; the cut
// comes on 88 and the ice erupts on 96.
class IcicleBladeChill : public NamedSpecial {
 public:
  static constexpr Engine::i32 kFrostFrames = 88;
  IcicleBladeChill();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::SlashHit2 mSlash;
  Bank::Icicle mIcicle;
  Bank::EmissionCyan mEmission;
  Bank::Cold mCold;
  Bank::Shake mShake;
};

// A slow ripple that the camera follows; it hits whatever the results say.
class BoundaryRipple : public NamedSpecial {
 public:
  BoundaryRipple();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Blood mBlood;
  Bank::Stagger mStagger;
};

// An anchor lands on the aim point.
class SinkingHookDrop : public NamedSpecial {
 public:
  SinkingHookDrop();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::ShockWaveL mShock;
  Bank::ChargeAura mAura;
};

// A look that darkens half the screen for 32 frames.
class DreadMemoryFlash : public NamedSpecial {
 public:
  DreadMemoryFlash();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Prism mPrism;
  Bank::Dizzy mDizzy;
};

// 32 falling lights over the aim point while the battle dims.
class BlindingComet : public NamedSpecial {
 public:
  static constexpr Engine::i32 kLights = 32;
  BlindingComet();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
};

}  // namespace Game::Effect
