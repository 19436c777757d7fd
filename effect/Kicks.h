#pragma once

#include "effect/Contact.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// A run at the target and a kick.
class Kick : public Contact {
 public:
  Engine::i32 update() override;
};

// A hop back, a flying knee through a ring and a leap away.
class KneeImpulse : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::RingA mRing;
  Bank::Star mStar;
};

// A long dash with afterimages onto the target, a blow and a flash of light.
class JumpingFlash : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Stagger mStagger;
  Bank::Beat1 mBeat;
};

// A high jump onto the target and a bounce off it.
class Press : public Contact {
 public:
  Engine::i32 update() override;

 private:
  // Held, but the blow shows without it.
  Bank::Stagger mStagger;
  Bank::Beat1 mBeat;
};

// A leap high over the target and a drop onto the aimed cell with a ring of
// dust and a shake of the camera.
class Stamp : public Contact {
 public:
  static constexpr float kLeapRise = 256.f;
  static constexpr float kLeapHeight = 128.f;
  static constexpr Engine::i32 kLeapFrames = 64;
  static constexpr Engine::i32 kDropFrames = 16;
  static constexpr Engine::i32 kLandFrame = kLeapFrames + kDropFrames;
  static constexpr Engine::i32 kApplyFrame = 96;
  static constexpr Engine::i32 kEndFrame = 97;
  static constexpr float kHomeHeight = 64.f;
  static constexpr Engine::i32 kHomeFrames = 60;
  static constexpr float kShake = 2.f;

  Engine::i32 update() override;

 private:
  void land();

  Bank::Stagger mStagger;
  Bank::Beat1 mBeat;
  Bank::RingA mRing;
  Bank::Emitter mEmitter;
};

}  // namespace Game::Effect
