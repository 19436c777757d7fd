#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// What the stand-ins of scenes still to be built share: each finishes after a
// set number of frames and counts its updates.
class TimedStandIn {
 public:
  // Finishes on update number `frames`; a negative number never finishes.
  explicit TimedStandIn(Engine::i32 frames) : mFramesLeft(frames) {}

  // One frame; true when finished.
  bool update() {
    ++mUpdates;
    return mFramesLeft >= 0 && --mFramesLeft <= 0;
  }
  Engine::i32 updates() const { return mUpdates; }

 private:
  Engine::i32 mFramesLeft;
  Engine::i32 mUpdates = 0;
};

}  // namespace Game
