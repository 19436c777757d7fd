#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Named special arts that fill the field with many nodes at once: swarms of
// shots, rains, ground-wide fields and pillars, mostly laid out on one frame
// and staggered by per-node delays.

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

}  // namespace Game::Effect
