#pragma once

#include "effect/ScriptedCast.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Barrier.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/ParticleBase.h"

namespace Game::Effect {

// The answers to an attack: a honeycomb barrier raised at the counter point
// on frame 48 with the counter's glow on the targets, applied on 72, ended
// from 81 on.
class CounterBase : public ScriptedCast {
 public:
  static constexpr Engine::i32 kLaunchFrame = 48;
  static constexpr Engine::i32 kApplyFrame = 72;
  static constexpr Engine::i32 kEndFrame = 81;
  static constexpr Engine::i32 kRings = 3;

 protected:
  // Half the caster's size from it toward the targets.
  void getCounterPoint(Engine::Math::Vector3& out) const;
  // The barrier in the counter's colour across the target direction.
  void raiseBarrier(Engine::u32 colour) const;
  // applyResult on the apply frame, finish from the end frame on.
  void applyAndEnd();
  // The curse's and the poison's script: the barrier, the glow on the hit
  // targets, sound entry 0, then the camera on the flashing targets.
  void updateWithGlow(const Bank::AnimationLauncher& glow, Engine::u32 colour);

  Bank::Barrier mBarrier;
};

// Curse and poison: updateWithGlow in their colours.
class CurseCounter : public CounterBase {
 public:
  static constexpr Engine::u32 kColour = 0xFFA080FF;
  Engine::i32 update() override;

 private:
  Bank::Curse mCurse;
};

class PoisonCounter : public CounterBase {
 public:
  static constexpr Engine::u32 kColour = 0xFF80FF00;
  Engine::i32 update() override;

 private:
  Bank::Poison mPoison;
};

// Cold sprayed on the targets at once; the cyan barrier on 48.
class FreezeCounter : public CounterBase {
 public:
  static constexpr Engine::u32 kColour = 0xFF80FFFF;
  Engine::i32 update() override;

 private:
  Bank::Cold mCold;
  Bank::EmissionCyan mCyan;
};

// Sparks on the caster at once; on 48 the orange barrier and flames on the
// first target.
class FireCounter : public CounterBase {
 public:
  static constexpr Engine::u32 kColour = 0xFFFF8000;
  FireCounter();
  Engine::i32 update() override;

 private:
  Bank::Emitter mEmitter;
  Bank::EmissionPair mGlow;
  Bank::Sparks mSparks;
};

// A barrier beside every target on 16, applied 4 frames later.
class FireBarrier : public ScriptedCast {
 public:
  static constexpr Engine::u32 kColour = 0xFFFF8000;
  static constexpr Engine::i32 kLaunchFrame = 16;
  static constexpr Engine::i32 kApplyFrame = 20;
  static constexpr Engine::i32 kEndFrame = 49;
  FireBarrier();
  Engine::i32 update() override;

 private:
  Bank::Barrier mBarrier;
  Bank::EmissionPair mGlow;
};

}  // namespace Game::Effect
