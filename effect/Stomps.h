#pragma once

#include <array>

#include "effect/Lances.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/Explode.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Hits.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Piece.h"
#include "effect/bank/Rays.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// Named special attacks that make a gag of the units themselves: they
// bounce, stomp, swoop and are stepped back by motion modules.

// The unit moves these scripts share; each does nothing without the unit.
class GagSpecial : public CentreLineSpecial {
 protected:
  Module::Module* stepUnit(Unit* unit, float hop, float shift, Engine::i32 frames);
  Module::Module* sendHome(Unit* unit, float height, Engine::i32 frames);
  // The caster's node scaled by a factor of its own unit scale.
  void scaleCaster(float factor);
  // The caster's node carried to the point in the frames, on a curve
  // through `through` at frame t1 and leaving along `leaving`.
  void carryCaster(Engine::i32 frames, const Engine::Math::Vector3& end, float t1,
                   const Engine::Math::Vector3& through, const Engine::Math::Vector3& leaving);
};

// Sixteen knives gather about the first target, then close on it.
class SilverDialStrike : public GagSpecial {
 public:
  static constexpr Engine::i32 kKnives = 16;
  SilverDialStrike();
  Engine::i32 update() override;

 private:
  void close();

  Bank::PieceSet mSet;
  Bank::SlashHit mSlash;
  std::array<KeptNode, kKnives> mKnives;
  Bank::Stagger mStagger;
};

// The caster rises and swoops through the first target in a trail.
class DoomedSwoop : public GagSpecial {
 public:
  DoomedSwoop();
  Engine::i32 update() override;

 private:
  void swoop();
  void trail();

  Bank::PieceSet mSet;
  Bank::Dizzy mDizzy;
  Bank::Stagger mStagger;
  Bank::Emitter mEmitter;
  Bank::MultiRing mRing;
};

// A pulsing veil from the caster; coloured wings close on every target.
class DarkeningWingVeil : public GagSpecial {
 public:
  DarkeningWingVeil();
  Engine::i32 update() override;
  // The white veil's alpha on a frame of 0..63.
  static float veilAlpha(Engine::i32 frame);

 private:
  void wings();

  Bank::PieceSet mSet;
  Bank::Dizzy mDizzy;
  Bank::Curse mCurse;
  Bank::CrossLightS mCross;
};

// Rainbow rings about the caster; notes fall about the first target.
class DuskChirpHaze : public GagSpecial {
 public:
  static constexpr Engine::i32 kRings = 8;
  static constexpr Engine::i32 kNotes = 12;
  DuskChirpHaze();
  Engine::i32 update() override;

 private:
  void rings();
  void notes();

  Bank::PieceSet mSet;
  Bank::Stagger mStagger;
  Bank::RainbowWave mWave;
  Bank::Prism mPrism;
};

// Motes drift from the caster across to the targets.
class ToxicWingDust : public GagSpecial {
 public:
  static constexpr Engine::i32 kMotes = 32;
  ToxicWingDust();
  Engine::i32 update() override;

 private:
  Bank::PieceSet mSet;
  Bank::Poison mPoison;
  Bank::Dizzy mDizzy;
};

// The caster and the first target bounce three times, higher each time,
// with a harder impact on each landing; without a hit it stops short.
class MountainSmashWave : public GagSpecial {
 public:
  MountainSmashWave() = default;
  Engine::i32 update() override;

 private:
  void bounce(Engine::i32 casterFrames, float casterPeak, Engine::i32 targetFrames, float targetPeak);
  void impact(Engine::i32 k);

  Bank::Sparks mSparks;
  Bank::ShockWave mShock;
  Bank::ExplodeL mExplode;
};

// The caster grows on the first target with each of three stomps, then
// shrinks back as it goes home.
class StompingRuin : public GagSpecial {
 public:
  StompingRuin() = default;
  Engine::i32 update() override;
  // The caster's scale factor on a frame; 0 where the script leaves it.
  static float growth(Engine::i32 frame);

 private:
  void stomp(Engine::i32 k);

  Bank::Particle mParticle;
  Bank::Beat1 mBeat;
  Bank::Stagger mStagger;
};

// Copies of the caster run to every target and off again; the targets
// burst and the screen flashes whether or not they are hit.
class PinpointSwarm : public GagSpecial {
 public:
  static constexpr Engine::i32 kCopies = 8;
  static constexpr Engine::i32 kCopyLife = 60;
  PinpointSwarm() = default;
  Engine::i32 update() override;

 private:
  void swarm();

  Bank::EmissionPair mEmission;
  Bank::ExplodeS mExplode;
};

}  // namespace Game::Effect
