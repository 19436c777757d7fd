// Moves that effects make of several modules: hops, knock-backs, dashes
// with afterimages and thrown projectiles.

#include <algorithm>

#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/module/Afterimage.h"
#include "effect/module/Move.h"
#include "effect/module/Step.h"
#include "effect/module/Transport.h"
#include "presentation/model/Animation.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr const char* kAfterimageSet = "src/picture/animation/animation/残像.txt";
constexpr i32 kAfterimageLifetime = 16;

constexpr float kKnockBackShift = -64.f;
constexpr i32 kKnockBackFrames = 16;
constexpr float kReturnHeight = 64.f;
constexpr i32 kReturnFrames = 16;
constexpr i32 kReturnDelay = 64;

constexpr i32 kDashWindUp = 30;
constexpr float kDashHeight = 512.f;

constexpr i32 kThrows = 4;
constexpr i32 kThrowFrames = 96;
constexpr i32 kThrowSpacing = 16;
constexpr float kThrowPassFrame = 64.f;
constexpr float kThrowFirstAngle = 135.f;
constexpr float kThrowAngleStep = 30.f;
constexpr float kThrowLift = 0.5f;
constexpr float kThrowSpeed = 12.f;
constexpr float kThrowOvershoot = 32.f;

}  // namespace

Module::Step* Cast::stepCaster(float x, float y, i32 frames) {
  return static_cast<Module::Step*>(addModule(std::make_unique<Module::Step>(*mCaster, x, y, frames)));
}

void Cast::knockBackTargets(const Vector3& point) {
  for (i32 i = 0; i < getTargetCount(); ++i) {
    Unit& target = *getTarget(i);
    target.faceToward(point);
    addModule(std::make_unique<Module::Step>(target, 0.f, kKnockBackShift, kKnockBackFrames));
    addModule(std::make_unique<Module::Move>(target, kReturnHeight, kReturnFrames))->mDelay = kReturnDelay;
  }
}

void Cast::addAfterimage(i32 delay, i32 frames, i32 interval) {
  ResourceSet set;
  set.load(kAfterimageSet);
  const Animation fading = set.findAnimation("main");
  if (!fading) {
    reportMissing("animation", "残像/main");
  }
  Module::Module* copies = addModule(std::make_unique<Module::Afterimage>(
      mCaster->node(), frames, std::max(interval, 1), kAfterimageLifetime, fading));
  copies->mDelay = delay;
}

void Cast::dashToTarget(i32 frames, float approach) {
  const i32 dash = frames - kDashWindUp;
  addAfterimage(kDashWindUp, dash, dash / 20 / 2);
  if (Unit* target = getFirstTarget()) {
    addModule(std::make_unique<Module::Move>(*mCaster, *target, kDashHeight, dash, approach))->mDelay = kDashWindUp;
  }
}

void Cast::throwFourProjectiles(Model* model, const char* launchSound, const char* impactSound) {
  Vector3 caster;
  getCasterPosition(caster);
  Vector3 target;
  getFirstTargetPosition(target);
  Vector3 direction;
  getTargetDirection(direction);
  const bool hit = isAnyTargetHit();
  for (i32 i = 0; i < kThrows; ++i) {
    const i32 delay = kThrowSpacing * i;
    SceneNode* node = launchAnimation(model);
    node->position.setValue(caster);
    auto transport = std::make_unique<Module::Transport>(node, kThrowFrames, false);
    Vector3 start;
    MathHelper::rotateByAngles(&start, direction, 0.f, 0.f, kThrowFirstAngle + kThrowAngleStep * static_cast<float>(i));
    start.z += kThrowLift;
    start *= kThrowSpeed;
    // Past the target the path leaves as steeply as it came, mirrored.
    Vector3 beyond(start.x, start.y, -start.z);
    beyond *= -kThrowOvershoot;
    beyond += target;
    transport->setSpan(beyond, kThrowPassFrame, target, 0.f, start);
    node->setTime(-static_cast<float>(delay));
    addModule(std::move(transport))->mDelay = delay;
    playSound(launchSound, delay);
    if (hit) {
      playSound(impactSound, delay + static_cast<i32>(kThrowPassFrame));
    }
  }
}

}  // namespace Game::Effect
