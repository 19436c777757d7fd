#pragma once

#include "effect/Cast.h"

namespace Game::Effect {

// The plain effect of actions without a picture of their own: the camera on
// the cast, the results shown on frame 16 without a change of state, the end
// on frame 60 exactly (state 0 straight to 2).
class Dummy : public Cast {
 public:
  static constexpr Engine::i32 kShowFrame = 16;
  static constexpr Engine::i32 kEndFrame = 60;

  Engine::i32 update() override;
};

}  // namespace Game::Effect
