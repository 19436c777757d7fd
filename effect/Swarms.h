#pragma once

#include <array>

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Icicle.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special arts that fill the field with many nodes at once: swarms of
// shots, rains, ground-wide fields and pillars, mostly laid out on one frame
// and staggered by per-node delays.

// Twelve copies of a unit picture ring the caster, then dive at the first
// target one by one in a random order, 3 frames apart, each in an arc.
class HauntedHamlet : public NamedSpecial {
 public:
  static constexpr Engine::i32 kWisps = 12;
  HauntedHamlet();
  Engine::i32 update() override;

 private:
  void gather();
  void dive();

  std::array<SceneNode*, kWisps> mWisps{};
  Bank::Star mStar;
};

// Eight unseen risers under the first target, each leaving a still copy
// of "main" every few frames as it climbs.
class GrudgeWraithFeast : public NamedSpecial {
 public:
  static constexpr Engine::i32 kRisers = 8;
  static constexpr Engine::i32 kSpacing = 6;
  static constexpr float kRise = 6.f;
  static constexpr float kDepth = 64.f;
  GrudgeWraithFeast();
  Engine::i32 update() override;

 private:
  void launchRisers();

  Bank::PieceSet mSet;
  Bank::Ripple mRipple;
  Bank::Blood mBlood;
  Bank::Shake mShake;
};

// One animation over the whole field at its origin; eight waves on the
// hit targets.
class TorrentCascade : public NamedSpecial {
 public:
  TorrentCascade();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::WaveHit mWave;
  Bank::Shake mShake;
};

// Four rings of twelve flares about the caster, the outer ones later; no
// reactions.
class GoldenSunburst : public NamedSpecial {
 public:
  static constexpr Engine::i32 kRings = 4;
  static constexpr Engine::i32 kPerRing = 12;
  GoldenSunburst();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionPair mEmission;
};

// Three fans of sixteen icicles from the caster's front toward the
// targets, 25 degrees apart, larger as they go.
class IcePillarRise : public NamedSpecial {
 public:
  static constexpr Engine::i32 kRows = 3;
  static constexpr Engine::i32 kPerRow = 16;
  IcePillarRise();
  Engine::i32 update() override;

 private:
  void launchFans();

  Bank::Icicle mIcicle;
  Bank::ShockWave mShock;
  Bank::EmissionCyan mEmission;
  Bank::Cold mCold;
};

// Sixteen tilted beams about the first target's front, one every 4
// frames; no reactions.
class DarkTwinBeams : public NamedSpecial {
 public:
  static constexpr Engine::i32 kBeams = 16;
  DarkTwinBeams();
  Engine::i32 update() override;

 private:
  void launchBeams();

  Bank::PieceSet mSet;
  Bank::ParticleBlue mParticle;
  Bank::GroundEmissionBlue mGround;
  Bank::ExplodeEmerald mExplode;
};

}  // namespace Game::Effect
