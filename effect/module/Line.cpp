#include "effect/module/Line.h"

#include "live/Unit.h"
#include "live/unit/BattleServices.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Module {

using Engine::Math::Vector3;

namespace {

// The length the models are made for.
constexpr float kModelLength = 256.f;

SceneNode* nodeInPoolOf(const Unit& unit, Model* model) {
  SceneNodePool* pool = unit.battle() ? unit.battle()->scenePool() : nullptr;
  return pool ? pool->create(model, 0) : nullptr;
}

}  // namespace

Line::Line(Model* model, Unit& from, Unit& to) : mNode(nodeInPoolOf(from, model)), mFrom(from), mTo(to) {}

Engine::i32 Line::update() {
  SceneNode* node = mNode.get();
  if (!node) {
    return kDone;
  }
  Vector3 from;
  Vector3 to;
  mFrom.getPosition(from);
  mTo.getPosition(to);
  node->position.setValue(from);
  node->updateWorld();
  node->aimAt(to);
  to -= from;
  node->scale.setValue(1.f, 1.f, to.length() / kModelLength);
  return kHolding;
}

}  // namespace Game::Effect::Module
