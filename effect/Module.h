#pragma once

#include "Engine/Base/Types.h"

namespace Game::Effect::Module {

// Something an effect keeps running beside its frame script: a motion, a
// trail, a distortion. The effect's module list updates it once a tick
// after its delay has run out.
class Module {
 public:
  // What update answers: still running and holding the effect, running
  // without holding it, finished.
  enum Result : Engine::i32 { kHolding = 0, kRunning = 1, kDone = 2 };

  Module() = default;
  virtual ~Module() = default;
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  virtual Engine::i32 update() = 0;

  bool mActive = true;
  // Ticks to wait before the first update.
  Engine::i32 mDelay = 0;
};

}  // namespace Game::Effect::Module
