#include "effect/bank/Barrier.h"

#include "Engine/Math/Functions.h"
#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// The hexagon's width step h = √3·32 and its height step.
const float kCellWidth = Engine::Math::sqrt(3.f) * 32.f;
constexpr float kCellHeight = 48.f;
constexpr i32 kRingPace = 3;
constexpr i32 kUnitRings = 3;

}  // namespace

i32 barrierCellCount(i32 ring) { return ring == 0 ? 1 : 6 * ring; }

Vector3 barrierCell(i32 ring, i32 cell) {
  const float r = static_cast<float>(ring);
  const float k = static_cast<float>(cell);
  if (cell <= ring) {
    return Vector3(0.f, kCellWidth / 2.f * k - kCellWidth * r, kCellHeight * k);
  }
  if (cell <= 2 * ring) {
    Vector3 q = barrierCell(ring, ring);
    q.y += kCellWidth * (k - r);
    return q;
  }
  if (cell <= 3 * ring) {
    Vector3 q = barrierCell(ring, 2 * ring);
    q.y += kCellWidth / 2.f * (k - 2.f * r);
    q.z -= kCellHeight * (k - 2.f * r);
    return q;
  }
  return scaled(barrierCell(ring, cell - 3 * ring), -1.f);
}

Barrier::Barrier() : mSet("src/picture/animation/bank/結界.txt") {}

void Barrier::launchGrid(SceneNodePool& pool, const Vector3& centre, const Vector3& direction, float scale, i32 rings,
                         Engine::u32 colour) const {
  const float yaw = Engine::Math::atan2(direction.y, direction.x);
  const Color tint(colour);
  Model* model = mSet.model(0);
  for (i32 r = 0; r < rings; ++r) {
    for (i32 k = 0; k < barrierCellCount(r); ++k) {
      Vector3 turned;
      MathHelper::rotateByAngles(&turned, scaled(barrierCell(r, k), scale), 0.f, 0.f, yaw);
      SceneNode* node = spawn(pool, model, added(centre, turned), static_cast<float>(kRingPace * r));
      node->rotation.z.setValue(yaw);
      node->scale.setValueAll(scale);
      node->setColor(tint);
    }
  }
}

void Barrier::launchAt(const Unit& unit, Engine::u32 colour) const {
  SceneNodePool* pool = poolOf(unit);
  if (!pool) {
    return;
  }
  Vector3 centre;
  unit.pointAlong(centre, Vector3(1.f, 0.f, 0.f));
  Vector3 right;
  unit.getRightVector(right);
  launchGrid(*pool, centre, right, unit.getScale(), kUnitRings, colour);
}

}  // namespace Game::Effect::Bank
