#pragma once

#include <vector>

#include "effect/NamedSpecial.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Sprite.h"
#include "effect/bank/Waves.h"
#include "effect/module/TrackedNode.h"

namespace Game::Effect {

// Named special arts of curses, hexes, whirls and stopped time.

// The caster steps aside and flings a doll at the first target.
class HexedFigurine : public NamedSpecial {
 public:
  HexedFigurine();
  Engine::i32 update() override;

 private:
  void fling();
  void strike();

  Bank::PieceSet mSet;
  Bank::ParticleBlue mParticle;
  Bank::Curse mCurse;
};

// A tide of 32 blue shards fanned toward the targets.
class BlueTormentTide : public NamedSpecial {
 public:
  static constexpr Engine::i32 kShards = 32;
  BlueTormentTide();
  Engine::i32 update() override;

 private:
  void release();

  Bank::PieceSet mSet;
  Bank::ParticleBlue mParticle;
  Bank::Curse mCurse;
  Bank::Stagger mStagger;
};

// Sixteen charms in a ring high over the caster dive at the first target.
class ShatteredCharmHex : public NamedSpecial {
 public:
  static constexpr Engine::i32 kCharms = 16;
  ShatteredCharmHex();
  Engine::i32 update() override;

 private:
  void launchCharms();

  Bank::PieceSet mSet;
  Bank::MagicExplode mExplode;
  Bank::Curse mCurse;
};

// Motes rise on every target and six bursts of vigour turn on the first.
class RadiantVigorSurge : public NamedSpecial {
 public:
  RadiantVigorSurge();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::RisingParticle mRising;
};

// A glinting blade stands at the first target and bursts into lights.
class GlintBladeWard : public NamedSpecial {
 public:
  GlintBladeWard();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::CrossLightS mCross;
};

// The caster zigzags toward the targets in four legs, each leaving a
// scroll stretched along it; the scrolls vanish together.
class GaleCodexWave : public NamedSpecial {
 public:
  static constexpr Engine::i32 kPoints = 5;
  static constexpr Engine::i32 kLeg = 24;
  GaleCodexWave();
  Engine::i32 update() override;

 private:
  void layPath();
  void leg(Engine::i32 k);
  void vanish();

  Bank::PieceSet mSet;
  Engine::Math::Vector3 mPath[kPoints];
  Bank::ParticlePrism mPrism;
  Bank::ShockWave mShock;
  // Kept with their ids: a slot the pool gave to another node is skipped.
  std::vector<Module::TrackedNode> mScrolls;
};

// Two whirls of prism light beside the targets.
class PrismWhirlpool : public NamedSpecial {
 public:
  static constexpr Engine::i32 kCarriers = 16;
  PrismWhirlpool();
  Engine::i32 update() override;

 private:
  void whirl(const Engine::Math::Vector3& centre, float sign);

  Bank::PieceSet mSet;
  Bank::Prism mPrism;
  Bank::ParticlePrism mParticle;
  Bank::Shake mShake;
};

// A clock over the targets ticks seven times ever slower; then the curse.
class HaltedHandsCurse : public NamedSpecial {
 public:
  static constexpr Engine::i32 kTicks = 7;
  HaltedHandsCurse();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Curse mCurse;
};

// Time stops in a white flash; ends exactly on its end frame.
class TimeHalt : public NamedSpecial {
 public:
  static constexpr Engine::i32 kEnd = 32;
  TimeHalt() = default;
  Engine::i32 update() override;
};

// The caster closes in on the first target and carves it in a storm of
// cuts, hopping as it goes.
class CarvingBladeStorm : public NamedSpecial {
 public:
  CarvingBladeStorm() = default;
  Engine::i32 update() override;

 private:
  void carve();

  Bank::RedCut mCut;
  Bank::Blade mBlade;
  Bank::RingParticle mRing;
};

}  // namespace Game::Effect
