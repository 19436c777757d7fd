#include "effect/bank/Beat.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// launchAlong: marks, their size and scatter; launchAt: the size on a unit.
constexpr i32 kAlongMarks = 4;
constexpr float kAlongSize = 64.f;
constexpr float kAlongScatter = 16.f;
constexpr float kUnitMarkSize = 96.f;

}  // namespace

SceneNode* Beat::launch(SceneNodePool& pool, const Vector3& p, float size) const {
  SceneNode* node = spawn(pool, mSet.model(kMain), p);
  node->scale.setValueAll(size / kUnitSize);
  return node;
}

void Beat::launchAlong(SceneNodePool& pool, const Vector3& from, const Vector3& offset) const {
  for (i32 i = 0; i < kAlongMarks; ++i) {
    Vector3 scatter;
    random().getSpatialVector(&scatter, kAlongScatter);
    const Vector3 step = scaled(offset, static_cast<float>(i) / static_cast<float>(kAlongMarks - 1));
    launch(pool, added(added(from, step), scatter), kAlongSize)->setTime(-static_cast<float>(i));
  }
}

void Beat::launchAt(const Unit& unit) const {
  if (SceneNodePool* pool = poolOf(unit)) {
    Vector3 position;
    unit.getPosition(position);
    launch(*pool, position, kUnitMarkSize);
  }
}

void Beat::launchOnTargets(const ActionRecord& action) const {
  for (i32 i = 0; i < action.targetCount(); ++i) {
    launchAt(action.target(i));
  }
}

Beat1::Beat1() { load("src/picture/animation/bank/打撃.txt"); }
Beat2::Beat2() { load("src/picture/animation/bank/打撃2.txt"); }
Beat3::Beat3() { load("src/picture/animation/bank/打撃3.txt"); }

SceneNode* Slash::launch(SceneNodePool& pool, const Vector3& p, float size, const Vector3& facePoint) const {
  SceneNode* node = spawn(pool, mSet.model(kMain), p);
  node->faceToward(facePoint);
  node->scale.setValueAll(size / kUnitSize);
  return node;
}

SceneNode* Slash::launchBetween(const Unit& unitFrom, const Unit& unitTo) const {
  SceneNodePool* pool = poolOf(unitFrom);
  if (!pool) {
    return nullptr;
  }
  Vector3 from;
  unitFrom.getPosition(from);
  Vector3 to;
  unitTo.getPosition(to);
  return launch(*pool, from, unitFrom.getSize(), to);
}

Blade::Blade() { load("src/picture/animation/bank/斬る.txt"); }

}  // namespace Game::Effect::Bank
