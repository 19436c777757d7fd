#pragma once

#include "effect/Cast.h"

namespace Game::Effect {

// The common end of a frame script: the results on one frame, the finish
// on every frame from another on.
class ScriptedCast : public Cast {
 protected:
  void applyOn(Engine::i32 applyFrame) {
    if (frame() == applyFrame) {
      applyResult();
    }
  }
  void endFrom(Engine::i32 endFrame) {
    if (frame() >= endFrame) {
      finish();
    }
  }
  // Both, as most scripts close: the frame for update to return.
  Engine::i32 applyOnEndFrom(Engine::i32 applyFrame, Engine::i32 endFrame) {
    applyOn(applyFrame);
    endFrom(endFrame);
    return frame();
  }
};

}  // namespace Game::Effect
