#pragma once

#include "core/game/TimedStandIn.h"

namespace Game {

// Stand-in of one running battle until the battle system exists.
class Battle : public TimedStandIn {
 public:
  explicit Battle(Engine::i32 frames = 1) : TimedStandIn(frames) {}
};

}  // namespace Game
