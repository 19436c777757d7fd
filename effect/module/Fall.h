#pragma once

#include "effect/Module.h"
#include "effect/bank/Emitter.h"

namespace Game {

class Unit;

namespace Effect::Module {

// A unit's feet falling from where they are (height z0) to an end height in
// F + 1 updates, straight down with constant acceleration for peak 0, or
// rising by about the peak first. Landing on the ground (end height 0)
// raises a ring of dust.
class Fall : public Module {
 public:
  // Frames below 1 count as 1.
  Fall(Unit& unit, Engine::i32 frames, float peak, float endHeight);

  Engine::i32 update() override;

  float velocity() const { return mVelocity; }
  float acceleration() const { return mAcceleration; }

 private:
  Unit& mUnit;
  float mVelocity = 0.f;
  float mAcceleration = 0.f;
  Engine::i32 mCounter = 0;
  Engine::i32 mFrames;
  bool mLanding;
  Bank::Emitter mLandingBurst;
};

}  // namespace Effect::Module
}  // namespace Game
