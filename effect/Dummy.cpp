#include "effect/Dummy.h"

#include "effect/ActionRecord.h"

namespace Game::Effect {

Engine::i32 Dummy::update() {
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == kShowFrame && mAction) {
    mAction->showResults();
  }
  if (frame() == kEndFrame) {
    finish();
  }
  return frame();
}

}  // namespace Game::Effect
