#pragma once

#include "effect/Module.h"
#include "effect/module/TrackedNode.h"

namespace Game {

class Model;
class Unit;

namespace Effect::Module {

// A node of the model kept between two units: at the first, aimed at the
// second and stretched along its z axis so that a model 256 long spans
// them. It holds the effect until the node ends (by its model or lifetime).
class Line : public Module {
 public:
  // The node is made in the first unit's battle pool; without one the
  // module ends on its first update.
  Line(Model* model, Unit& from, Unit& to);

  Engine::i32 update() override;

  SceneNode* node() const { return mNode.get(); }

 private:
  TrackedNode mNode;
  Unit& mFrom;
  Unit& mTo;
};

}  // namespace Effect::Module
}  // namespace Game
