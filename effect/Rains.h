#pragma once

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Explode.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"

namespace Game::Effect {

// Named special arts that rain many nodes on the targets or whirl them on
// a point: volleys of arrows, shards, helix pieces, embers and fog.

// One arrow shot upward, then a hundred falling in a band that sweeps from
// before the targets to behind them, two a frame.
class ShaftVolley : public NamedSpecial {
 public:
  static constexpr Engine::i32 kArrows = 100;
  ShaftVolley();
  Engine::i32 update() override;

 private:
  void rainArrows();

  Bank::ChargeAura mAura;  // held, never started
  Bank::PieceSet mSet;
  Bank::Ripple mRipple;
};

// 24 shards drop on the first target from 128 above it, stretched at
// random in z.
class VioletGlassOmen : public NamedSpecial {
 public:
  static constexpr Engine::i32 kShards = 24;
  VioletGlassOmen();
  Engine::i32 update() override;

 private:
  void dropShards();

  Bank::PieceSet mSet;
  Bank::Blood mBlood;
};

// A whirl of 24 nodes on the aim point, three full turns, with a white
// flash every 32 frames.
class DrowningSwirl : public NamedSpecial {
 public:
  static constexpr Engine::i32 kNodes = 24;
  DrowningSwirl();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::WaterSplash mSplash;
  Bank::WaveHit mWave;
  Bank::Shake mShake;
};

// A line of 64 helix pieces 12 apart from the caster toward the targets,
// two a frame.
class FlawedHelixSpiral : public NamedSpecial {
 public:
  static constexpr Engine::i32 kPieces = 64;
  FlawedHelixSpiral();
  Engine::i32 update() override;

 private:
  void sprayBoth();

  Bank::PieceSet mSet;
  Bank::Pakapaka mPakapaka;
  Bank::Particle mParticle;
  Bank::ParticleBlue mParticleBlue;
  Bank::Glow mGlow;
};

// 32 embers arc from the caster and burst where they land, 96 frames after
// each leaves.
class BuriedEmberTrap : public NamedSpecial {
 public:
  static constexpr Engine::i32 kEmbers = 32;
  static constexpr Engine::i32 kFlight = 96;
  BuriedEmberTrap();
  Engine::i32 update() override;

 private:
  void throwEmbers();

  Bank::PieceSet mSet;
  Bank::ExplodeEmerald mExplode;
  Bank::Pakapaka mPakapaka;
};

// 64 clouds on the first target.
class PlagueFogCloud : public NamedSpecial {
 public:
  static constexpr Engine::i32 kClouds = 64;
  PlagueFogCloud();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Poison mPoison;
};

}  // namespace Game::Effect
