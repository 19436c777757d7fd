#pragma once

#include "effect/Contact.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Beat.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Waves.h"

namespace Game::Effect {

// A step forward and a heavy blow. The caster stays where the step left it.
class Beat : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Beat1 mBeat;
  Bank::Stagger mStagger;
};

// A high hop forward and a smashing blow with a ring and stars.
class Strike : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Beat1 mBeat;
  Bank::Stagger mStagger;
  Bank::RingA mRing;
  Bank::Star mStar;
};

// A blow returned from where the caster stands.
class Counter : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Beat2 mBeat;
};

}  // namespace Game::Effect
