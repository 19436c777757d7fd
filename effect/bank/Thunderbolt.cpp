#include "effect/bank/Thunderbolt.h"

#include "Engine/Math/Functions.h"
#include "core/random/RandomGenerator.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// Bolts aim at a point this far up; bolt i stands 3·√i out, i/3 frames late.
constexpr float kBoltTop = 512.f;
constexpr float kBoltSpread = 3.f;
constexpr float kBoltPace = 3.f;
// Sparks and light rise this far; sparks leave at this pitch.
constexpr float kFlashRise = 32.f;
constexpr float kSparkPitch = 20.f;
constexpr float kBoltLightRange = 3.f;
constexpr i32 kBoltLightLifetime = 16;

}  // namespace

Thunderbolt::Thunderbolt() : mSet("src/picture/animation/bank/落雷.txt") {}

void Thunderbolt::launch(SceneNodePool& pool, const Vector3& p) const {
  const Vector3 top = raised(p, kBoltTop);
  Model* bolt = mSet.model(0);
  for (i32 i = 0; i < kBolts; ++i) {
    Vector3 direction;
    random().getCenteredDirection(&direction, 360.f, 0.f);
    const float out = kBoltSpread * Engine::Math::sqrt(static_cast<float>(i));
    SceneNode* node = spawn(pool, bolt, added(p, scaled(direction, out)), static_cast<float>(i) / kBoltPace);
    node->randomizeRotation(false, false, true);
    node->aimAt(top);
  }
  mShockWave.launch(pool, p);
  const Vector3 raisedPoint = raised(p, kFlashRise);
  mSparks.jet(pool, p, raisedPoint, kSparkPitch, kSparkPitch);
  pool.createLight(kBoltLightRange, kBoltLightLifetime, raisedPoint, Vector3(1.f, 1.f, 1.f));
}

}  // namespace Game::Effect::Bank
