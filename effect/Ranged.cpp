#include "effect/Ranged.h"

#include "effect/ActionRecord.h"
#include "effect/module/Launch.h"
#include "effect/module/Line.h"
#include "effect/module/Move.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
const Vector3 kRangedNoAim(0.f, 0.f, 0.f);
}

Vector3 Ranged::casterPosition() const {
  Vector3 out;
  getCasterPosition(out);
  return out;
}

Vector3 Ranged::firstTargetPosition() const {
  Vector3 out;
  getFirstTargetPosition(out);
  return out;
}

Vector3 Ranged::targetCentre() const {
  Vector3 out;
  getTargetCentre(out);
  return out;
}

const Vector3& Ranged::aimPoint() const { return mAction ? mAction->aimPoint() : kRangedNoAim; }

SceneNode* Ranged::launchFromCaster(Model* model) {
  SceneNode* node = launchAnimation(model);
  node->position.setValue(casterPosition());
  node->updateWorld();
  return node;
}

SceneNode* Ranged::shootAt(Model* model, const Vector3& point, i32 frames) {
  SceneNode* node = launchFromCaster(model);
  node->aimAt(point);
  node->position.moveTo(static_cast<float>(frames), point);
  return node;
}

void Ranged::addTrail(SceneNode* node, Model* model, i32 interval, i32 delay) {
  addModule(std::make_unique<Module::Launch>(node, model, interval))->mDelay = delay;
}

void Ranged::holdLineOnFirstTarget(Model* model) {
  if (Unit* target = getFirstTarget()) {
    addModule(std::make_unique<Module::Line>(model, *mCaster, *target));
  }
}

void Ranged::moveHome(float height, i32 frames) {
  addModule(std::make_unique<Module::Move>(*mCaster, height, frames));
}

}  // namespace Game::Effect
