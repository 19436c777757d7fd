#pragma once

#include "core/game/SubScene.h"
#include "core/game/TimedStandIn.h"

namespace Game {

// Stand-in of the shop until the menu screens exist.
class ShopScene : public TimedStandIn, public SubScene {
 public:
  explicit ShopScene(Engine::i32 frames = 1) : TimedStandIn(frames) {}
  bool update() override { return TimedStandIn::update(); }
};

}  // namespace Game
