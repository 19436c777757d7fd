// The places the area attacks lay their nodes by.

#include "effect/Area.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/bank/Piece.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kHalfTurn = 180.f;

}  // namespace

SceneNode* AreaCast::place(Model* model, const Vector3& p, float delay) {
  return Bank::spawn(getScenePool(), model, p, delay);
}

float AreaCast::sideYaw() const { return mAction ? static_cast<float>(mAction->targetCell().side) * kHalfTurn : 0.f; }

const Vector3& AreaCast::aimPoint() const { return mAction ? mAction->aimPoint() : kOrigin; }

Vector3 AreaCast::casterPosition() const {
  Vector3 p;
  getCasterPosition(p);
  return p;
}

Vector3 AreaCast::casterFront() const {
  Vector3 p = kOrigin;
  if (mCaster) {
    mCaster->getFrontPoint(p);
  }
  return p;
}

Vector3 AreaCast::firstTargetPosition() const {
  Vector3 p;
  getFirstTargetPosition(p);
  return p;
}

void AreaCast::lightFirstTarget(float intensity, i32 frames, Engine::u32 argb) {
  getScenePool().createLightPacked(intensity, frames, firstTargetPosition(), argb);
}

SceneNode* AreaCast::createOnFirstTarget(Model* model) {
  const Unit* first = getFirstTarget();
  return first ? first->createNode(model) : nullptr;
}

Vector3 AreaCast::inBox(float x, float y, float z) {
  Vector3 v;
  RandomGenerator::instance()->getBoxVector(&v, x, y, z);
  return v;
}

Vector3 AreaCast::flat(float length) {
  Vector3 v;
  RandomGenerator::instance()->getFlatVector(&v, length);
  return v;
}

}  // namespace Game::Effect
