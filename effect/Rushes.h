#pragma once

#include "effect/Contact.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Beat.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// A run into the target with the whole body.
class Tackle : public Contact {
 public:
  // The blow's mark on target 0.
  static constexpr float kBlowSize = 96.f;

  Engine::i32 update() override;

 private:
  Bank::Beat1 mBeat;
  Bank::Stagger mStagger;
};

// A shove that knocks every target back and leaves the first one dizzy.
class Charge : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Dizzy mDizzy;
  Bank::RingParticle mRing;
};

// Target 0 thrown up spinning and landing with a shock wave.
class Throw : public Contact {
 public:
  static constexpr Engine::i32 kThrowFrame = 32;
  static constexpr Engine::i32 kLandFrame = 80;
  static constexpr Engine::i32 kEndFrame = 112;
  // Degrees a frame about z while target 0 is in the air.
  static constexpr float kSpin = 7.5f;

  Engine::i32 update() override;

 private:
  void throwTarget();
  void land();

  // Held, but the landing shows without it.
  Bank::Beat1 mBeat;
  Bank::Stagger mStagger;
  Bank::ShockWave mShockWave;
};

}  // namespace Game::Effect
