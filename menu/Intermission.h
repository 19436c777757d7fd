#pragma once

#include "core/game/SubScene.h"
#include "core/game/TimedStandIn.h"
#include "core/input/KeyInput.h"

namespace Game {

// Stand-in of the camp menu until the menu screens exist: it shows nothing
// and finishes when cancel goes down (as leaving the top menu does), when
// closed, or after its frames.
class Intermission : public TimedStandIn, public SubScene {
 public:
  static constexpr Engine::i32 kCancelKey = 6;

  explicit Intermission(Engine::i32 frames = -1) : TimedStandIn(frames) {}

  // One frame; true when finished.
  bool update() override { return TimedStandIn::update() || mClosing || KeyInput::isTriggered(kCancelKey); }
  // Its next update reports it finished (an item's script may close it).
  void close() { mClosing = true; }
  bool isClosing() const { return mClosing; }

 private:
  bool mClosing = false;
};

}  // namespace Game
