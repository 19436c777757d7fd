#include "effect/bank/ExplodeL.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Bank {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// Sparks: speed 3 + [0, 4), damping, start spread over 16 frames.
constexpr float kSparkSpeedMin = 3.f;
constexpr float kSparkSpeedRange = 4.f;
constexpr float kSparkDamping = 0.99f;
constexpr float kSparkStartSpread = 16.f;
// Rings: 32 apart upward, ring i at speed 2 / (i + 1).
constexpr float kRingRise = 32.f;
constexpr float kRingSpeed = 2.f;
// The light: raised by 4, range 2, 32 updates, orange.
constexpr float kLightRise = 4.f;
constexpr float kLightRange = 2.f;
constexpr i32 kLightLifetime = 32;
const Vector3 kLightColour(1.f, 0.5f, 0.f);
constexpr float kFrontRise = 32.f;

}  // namespace

ExplodeL::ExplodeL() : mSet("src/picture/animation/bank/爆発大.txt") { mSounds.load("src/sound/爆発大.txt"); }

void ExplodeL::launch(SceneNodePool& pool, const Vector3& p) {
  launchSparks(pool, p);
  launchRings(pool, p);
  pool.createLight(kLightRange, kLightLifetime, raised(p, kLightRise), kLightColour);
  playEntry(mSounds, 0, 0);
}

void ExplodeL::launchSparks(SceneNodePool& pool, const Vector3& p) const {
  Model* fire = mSet.model("fire");
  for (i32 i = 0; i < kSparks; ++i) {
    SceneNode* node = spawn(pool, fire, p);
    node->randomizeRotation(true, true, true);
    const float speed = kSparkSpeedMin + draw(kSparkSpeedRange);
    Vector3 direction;
    random().getCenteredDirection(&direction, 360.f, 0.f);
    node->position.setVelocity(scaled(direction, speed));
    node->position.setDampingAll(kSparkDamping);
    node->setTime(-draw(kSparkStartSpread));
  }
}

void ExplodeL::launchRings(SceneNodePool& pool, const Vector3& p) const {
  Model* ring = mSet.model("ring");
  for (i32 i = 0; i < kRings; ++i) {
    SceneNode* node = spawn(pool, ring, raised(p, kRingRise * static_cast<float>(i)));
    node->setSpeed(kRingSpeed / static_cast<float>(i + 1));
  }
}

void ExplodeL::launchAtFront(const Unit& unit) {
  if (SceneNodePool* pool = poolOf(unit)) {
    Vector3 front;
    unit.getFrontPoint(front);
    launch(*pool, raised(front, kFrontRise));
  }
}

}  // namespace Game::Effect::Bank
