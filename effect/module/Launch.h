#pragma once

#include "effect/Module.h"
#include "effect/module/TrackedNode.h"

namespace Game {

class Model;

namespace Effect::Module {

// A trail: every interval-th update a still copy of the model where the
// source node is, turned and scaled like it. It never holds the effect and
// ends with its source node.
class Launch : public Module {
 public:
  // An interval below 1 is taken as 1.
  Launch(SceneNode* source, Model* model, Engine::i32 interval);

  Engine::i32 update() override;

 private:
  Model* mModel;
  TrackedNode mSource;
  Engine::i32 mInterval;
  Engine::i32 mCounter = 0;
};

}  // namespace Effect::Module
}  // namespace Game
