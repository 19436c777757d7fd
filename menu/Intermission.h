#pragma once

#include "core/game/TimedStandIn.h"

namespace Game {

// Stand-in of the camp menu until the menu screens exist.
class Intermission : public TimedStandIn {
 public:
  explicit Intermission(Engine::i32 frames = 1) : TimedStandIn(frames) {}
};

}  // namespace Game
