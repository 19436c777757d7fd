#include "effect/bank/Rays.h"

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kWaveAuthoredSize = 128.f;
// Speed lines: how many of a count are left out, how far out they radiate,
// the box they scatter in.
constexpr i32 kLinesLeftOut = 16;
constexpr float kRadiateDistance = 400.f;
constexpr float kScatterHalfWidth = 400.f;
constexpr float kScatterHalfHeight = 300.f;

}  // namespace

Suction::Suction() : mSet("src/picture/animation/bank/吸引.txt") {}

SceneNode* Suction::launchAt(const Unit& unit) const {
  SceneNode* node = unit.createNode(mSet.model(kMain));
  if (node) {
    node->scale.setValueAll(1.f);
  }
  return node;
}

Beam::Beam() : mSet("src/picture/animation/bank/ビーム.txt") {}

SceneNode* Beam::launch(SceneNodePool& pool, const Vector3& p, const Vector3& aimPoint) const {
  SceneNode* node = spawn(pool, mSet.model(0), p);
  node->aimAt(aimPoint);
  node->randomizeRotation(false, false, true);
  return node;
}

RainbowWave::RainbowWave() : mSet("src/picture/animation/bank/七色音波.txt") {}

SceneNode* RainbowWave::launch(SceneNodePool& pool, const Vector3& p, const Color& colour, float size) const {
  SceneNode* node = spawn(pool, mSet.model(0), p);
  node->setColor(colour);
  node->scale.setValueAll(size / kWaveAuthoredSize);
  return node;
}

FirePillar::FirePillar() : mSet("src/picture/animation/bank/火柱.txt") {}

SceneNode* FirePillar::launch(SceneNodePool& pool, const Vector3& p) const { return spawn(pool, mSet.model(0), p); }

Fang::Fang() : mSet("src/picture/animation/bank/牙.txt") { mSounds.load("src/sound/牙.txt"); }

SceneNode* Fang::launch(const Unit& unitFrom, const Unit& unitTo) {
  SceneNodePool* pool = poolOf(unitFrom);
  if (!pool) {
    return nullptr;
  }
  Vector3 from;
  unitFrom.getPosition(from);
  Vector3 to;
  unitTo.getPosition(to);
  SceneNode* node = spawn(*pool, mSet.model(kMain), from);
  node->faceToward(to);
  playEntry(mSounds, 0, 0);
  return node;
}

SpeedLines::SpeedLines() : mSet("src/picture/animation/bank/効果線.txt") {}

SceneNode* SpeedLines::launch(SceneNodePool& pool, const Vector3& p, float angle) const {
  SceneNode* node = spawn(pool, mSet.model(0), p);
  node->rotation.z.setValue(angle);
  return node;
}

void SpeedLines::radiate(SceneNodePool& pool, i32 n) const {
  for (i32 i = 0; i < n - kLinesLeftOut; ++i) {
    const float angle = draw(360.f);
    Vector3 out;
    MathHelper::directionFromAngles(&out, angle, 0.f);
    launch(pool, scaled(out, kRadiateDistance), angle)->setTime(-static_cast<float>(i));
  }
}

void SpeedLines::scatter(SceneNodePool& pool, float angle, i32 n) const {
  for (i32 i = 0; i < n - kLinesLeftOut; ++i) {
    Vector3 p;
    random().getBoxVector(&p, kScatterHalfWidth, kScatterHalfHeight, 0.f);
    launch(pool, p, angle)->setTime(-static_cast<float>(i));
  }
}

}  // namespace Game::Effect::Bank
