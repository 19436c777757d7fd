#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of the shop until the menu screens exist.
class ShopScene {
 public:
  // Finishes on update number `frames`; a negative number never finishes.
  explicit ShopScene(Engine::i32 frames = 1) : mFramesLeft(frames) {}

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
