#include "effect/bank/Waves.h"

#include "live/Unit.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// A ground glow lasts this many frames before the next takes over.
constexpr i32 kGlowFrames = 8;

}  // namespace

SceneNode* Ring::launch(SceneNodePool& pool, const Vector3& p) const { return spawn(pool, mSet.model(kMain), p); }

RingA::RingA() { load("src/picture/animation/bank/リング.txt"); }
MultiRing::MultiRing() { load("src/picture/animation/bank/リング多重.txt"); }

SceneNode* ShockWaveBase::launch(SceneNodePool& pool, const Vector3& p) const {
  return spawn(pool, mSet.model(kMain), p);
}

SceneNode* ShockWaveBase::launchAtFront(const Unit& unit) const {
  SceneNodePool* pool = poolOf(unit);
  if (!pool) {
    return nullptr;
  }
  Vector3 front;
  unit.getFrontPoint(front);
  return launch(*pool, front);
}

ShockWave::ShockWave() { load("src/picture/animation/bank/地上衝撃波.txt"); }
ShockWaveL::ShockWaveL() { load("src/picture/animation/bank/地上衝撃波大.txt"); }

void GroundEmission::launch(SceneNodePool& pool, const Vector3& p, float size, i32 duration) const {
  const i32 count = duration / kGlowFrames;
  if (count <= 0) {
    return;
  }
  Model* model = mSet.model(0);
  const Vector3 ground(p.x, p.y, 0.f);
  for (i32 i = 0; i < count; ++i) {
    SceneNode* node = spawn(pool, model, ground, static_cast<float>(kGlowFrames * i));
    node->randomizeRotation(false, false, true);
    node->scale.setValueAll(size / kUnitSize);
  }
}

GroundEmissionBlue::GroundEmissionBlue() { load("src/picture/animation/bank/地面発光.txt"); }
GroundHeat::GroundHeat() { load("src/picture/animation/bank/地面発光赤熱.txt"); }

}  // namespace Game::Effect::Bank
