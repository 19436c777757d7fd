#pragma once

#include "effect/Module.h"

namespace Game {

class Unit;

namespace Effect::Module {

// A unit's hop: over F + 1 updates its node travels shift / F a update along
// its own x axis (forward) and out along its own z axis (up) by hop at the
// middle and back to where it started.
class Step : public Module {
 public:
  // Frames below 1 count as 1.
  Step(Unit& unit, float hop, float shift, Engine::i32 frames);

  Engine::i32 update() override;

 private:
  Unit& mUnit;
  Engine::i32 mFrames;
  Engine::i32 mCounter = 0;
  float mHop;
  float mShift;
};

}  // namespace Effect::Module
}  // namespace Game
