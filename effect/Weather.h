#pragma once

#include "effect/Area.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Icicle.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Thunderbolt.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Blasts from above and weather. Flare, Blizzard, Quake and Rain lay their
// nodes about the field's origin, wherever the units stand.

// One scorching blast at the origin, the glows on the hit targets.
class Flare : public AreaCast {
 public:
  Flare();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::EmissionPair mGlow;
};

// A stroke of lightning at the aim point.
class Lightning : public AreaCast {
 public:
  Engine::i32 update() override;

 private:
  Bank::Thunderbolt mBolt;
};

// A column of light at the aim point and the ground glowing under it.
class SunLight : public AreaCast {
 public:
  SunLight();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::GroundHeat mHeat;
  Bank::EmissionPair mGlow;
};

// 128 flakes over the field, then ice rising at every target.
class Blizzard : public AreaCast {
 public:
  static constexpr Engine::i32 kFlakes = 128;
  Blizzard();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Icicle mIcicle;
  Bank::EmissionCyan mGlow;
};

// Four waves of 48 turning streaks at the caster's front; the targets are
// blown back.
class Tornado : public AreaCast {
 public:
  static constexpr Engine::i32 kWaves = 4;
  static constexpr Engine::i32 kStreaks = 48;
  static constexpr float kSpin = 0.5f;
  Tornado();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  // Held, but the script strikes no bolt.
  Bank::Thunderbolt mBolt;
};

// 32 streaks across the field along the side the action aims at.
class AbyssWind : public AreaCast {
 public:
  static constexpr Engine::i32 kStreaks = 32;
  AbyssWind();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  // Held, but the script draws no lines.
  Bank::SpeedLines mLines;
  Bank::Curse mCurse;
  Bank::Shake mShake;
};

// 64 rocks thrown about the field and the ground shaking.
class Quake : public AreaCast {
 public:
  static constexpr Engine::i32 kRocks = 64;
  Quake();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Stagger mStagger;
};

// 192 drops over the field, each rippling where it lands.
class Rain : public AreaCast {
 public:
  static constexpr Engine::i32 kDrops = 192;
  Rain();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  // Held, but the script staggers no one.
  Bank::Stagger mStagger;
  Bank::Ripple mRipple;
};

// Eight rings of many colours from the caster, the shake reaching each
// target by its distance.
class OscillatoryWave : public AreaCast {
 public:
  static constexpr Engine::i32 kRings = 8;
  OscillatoryWave();
  Engine::i32 update() override;

 private:
  void launchRings();

  Bank::PieceSet mSet;
  Bank::Shake mShake;
};

}  // namespace Game::Effect
