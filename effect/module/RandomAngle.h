#pragma once

#include "effect/Module.h"
#include "effect/module/TrackedNode.h"

namespace Game::Effect::Module {

// A node turned to random angles on the flagged axes every update, for as
// long as it lives; it never holds the effect.
class RandomAngle : public Module {
 public:
  RandomAngle(SceneNode* node, bool x, bool y, bool z);

  Engine::i32 update() override;

 private:
  TrackedNode mNode;
  bool mX;
  bool mY;
  bool mZ;
};

}  // namespace Game::Effect::Module
