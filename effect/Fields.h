#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Icicle.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special arts that cover the field or strike in turn from many
// points: fans of serpents, thrown stones, ridges of ice, falling pillars
// and fish, streams of shots, tribunals and capsules.

// Sixteen serpents fan out about the caster and strike in turn; five pulses
// of hits 16 frames apart.
class SerpentIdolCurse : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSerpents = 16;
  SerpentIdolCurse();
  Engine::i32 update() override;

 private:
  void fanOut();

  Bank::PieceSet mSet;
  Bank::Curse mCurse;
  Bank::Particle mParticle;
};

// 64 stones thrown up from about the caster, one a frame, each landing 24
// frames later.
class VerdantRockCrush : public NamedSpecial {
 public:
  static constexpr Engine::i32 kStones = 64;
  VerdantRockCrush();
  Engine::i32 update() override;

 private:
  void throwStones();

  Bank::PieceSet mSet;
  Bank::ShotHit mShotHit;
  Bank::Shake mShake;
  Bank::Ripple mRipple;
};

// Two ridges of ice clusters that cross at the targets' centre, built from
// the caster's side outward.
class FrozenLakeRidge : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSteps = 12;
  static constexpr Engine::i32 kCrossing = 8;
  FrozenLakeRidge();
  Engine::i32 update() override;

 private:
  void raiseRidges();

  Bank::Icicle mIcicle;
  Bank::Cold mCold;
  Bank::EmissionCyan mEmission;
  Bank::ShockWave mShock;
};

// Eight pillars fall on the aimed half of the field, 16 frames apart, each
// with its blast 48 frames after it starts.
class FallingPillarStorm : public NamedSpecial {
 public:
  static constexpr Engine::i32 kPillars = 8;
  FallingPillarStorm();
  Engine::i32 update() override;

 private:
  void dropPillars();

  Bank::PieceSet mSet;
  Bank::ExplodeSphere mExplode;
  Bank::EmissionPair mEmission;
};

// Three fish on every cell of a 16 × 8 grid about the field origin.
class FallingFishShower : public NamedSpecial {
 public:
  static constexpr Engine::i32 kColumns = 16;
  static constexpr Engine::i32 kRows = 8;
  static constexpr Engine::i32 kPerCell = 3;
  FallingFishShower();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Poison mPoison;
};

// A stream of 64 shots: the first walk from the caster to the first target
// at half width, the rest sit on it.
class WanderersVolley : public NamedSpecial {
 public:
  static constexpr Engine::i32 kShots = 64;
  static constexpr Engine::i32 kWalking = 32;
  WanderersVolley();
  Engine::i32 update() override;

 private:
  void fireStream();

  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

// Ten red and blue pillars about the aim point, then the final one on it.
class VerdictPillar : public NamedSpecial {
 public:
  static constexpr Engine::i32 kPillars = 10;
  VerdictPillar();
  Engine::i32 update() override;

 private:
  void raisePillars();
  // Pillars stand turned half round on the caster's own side.
  float pillarTurn() const;

  Bank::PieceSet mSet;
  Bank::ShockWave mShock;
  Bank::SpeedLines mLines;
  Bank::Pakapaka mPakapaka;
  Bank::Cinders mCinders;
};

// Ten orbs fly about the first target; each fires a beam at it, 6 frames
// apart from frame 64 on.
class TenfoldTribunal : public NamedSpecial {
 public:
  static constexpr Engine::i32 kOrbs = 10;
  TenfoldTribunal();
  Engine::i32 update() override;

 private:
  void launchOrbs();

  Bank::PieceSet mSet;
  Bank::EmissionRed mEmission;
  Bank::Particle mParticle;
  Bank::Shake mShake;
  Bank::RingA mRing;  // held, never started
  Bank::Beam mBeam;
};

// One capsule per target, 8 frames apart, each in a high arc; its hit,
// results and end wait for the last capsule.
class SlumberCapsuleMist : public NamedSpecial {
 public:
  static constexpr Engine::i32 kSpacing = 8;
  static constexpr Engine::i32 kPuffs = 4;
  SlumberCapsuleMist();
  Engine::i32 update() override;
  // The hit frame for that many targets.
  static Engine::i32 hitFrame(Engine::i32 targets) { return kSpacing * targets + 56; }

 private:
  void launchCapsules();

  Bank::PieceSet mSet;
  Bank::Poison mPoison;
};

}  // namespace Game::Effect
