#pragma once

#include "effect/Module.h"

namespace Game::Effect {

class Stage;

namespace Module {

// A wobble of the screen's proportions: the next frame's projection squash
// is 1 + amplitude · sin(180·c/F) · cos(360·c/period), so it swings with the
// period inside an envelope that rises and falls back to 1 over F + 1
// updates.
class Aspect : public Module {
 public:
  // Frames below 1 count as 1; a zero period gives no swing, only the
  // envelope.
  Aspect(Stage& stage, Engine::i32 frames, float amplitude, float period);

  Engine::i32 update() override;

 private:
  Stage& mStage;
  Engine::i32 mFrames;
  float mPeriod;
  float mAmplitude;
  Engine::i32 mCounter = 0;
};

}  // namespace Module
}  // namespace Game::Effect
