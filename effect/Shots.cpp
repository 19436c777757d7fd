// Bullets, arrows, needles, feathers and water: the shot, the running fire,
// the poison arrow, the needles, the wings and the water hammer.

#include "effect/Shots.h"

#include "Engine/Math/Functions.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/module/Bring.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

Shoot::Shoot() : mSet("src/picture/animation/弾丸.txt") {}

i32 Shoot::update() {
  constexpr i32 kFlightFrames = 16;
  if (frame() == 16) {
    SceneNode* bullet = shootAt(nullptr, firstTargetPosition(), kFlightFrames);
    bullet->setLifetime(kFlightFrames);
    addTrail(bullet, mSet.model(0), 1);
    setCameraOnCast();
    playSoundAt(0);
  }
  if (frame() == 32) {
    if (isAnyTargetHit()) {
      mHit.spawnOnTargets(*mAction);
      startSound("hit");
    }
    flashHitTargets();
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

RunningFire::RunningFire() : mSet("src/picture/animation/弾丸.txt") {}

i32 RunningFire::update() {
  if (frame() == 8) {
    setCameraOnCast();
    fireBullets();
    playSoundAt(0);
  }
  if (frame() == 24) {
    if (isAnyTargetHit()) {
      mHit.spawnOnTargets(*mAction);
      mShake.launchOnTargets(*mAction);
    }
    flashHitTargets();
  }
  if (frame() >= 41 && frame() <= 87 && frame() % 12 == 0) {
    mBurst.burstOnTargets(*mAction, 0.f);
  }
  if (frame() == kApplyFrame) {
    if (isAnyTargetHit()) {
      startSound("hit");
      mParticle.sprayOnTargets(*mAction);
    }
    applyResult();
  }
  endFrom(kEndFrame);
  return frame();
}

// Bullet i leaves 3·i frames late from the circle of 16 about the point 32
// before the caster, at 36·i degrees.
void RunningFire::fireBullets() {
  constexpr float kStandOff = 32.f;
  constexpr float kRadius = 16.f;
  constexpr float kTurn = 36.f;
  Vector3 velocity;
  getTargetDirection(velocity);
  velocity *= (getTargetDistance() - kStandOff) / static_cast<float>(kBulletFrames);
  Vector3 muzzle;
  getPointNearCaster(muzzle, 0.f, 0.f, -kStandOff);
  Vector3 side;
  getSideDirection(side);
  Vector3 up;
  getUpDirection(up);
  for (i32 i = 0; i < kBullets; ++i) {
    const float angle = kTurn * static_cast<float>(i);
    Vector3 at = muzzle;
    at += Bank::scaled(side, kRadius * Engine::Math::cos(angle));
    at += Bank::scaled(up, kRadius * Engine::Math::sin(angle));
    SceneNode* bullet = launchAnimation(nullptr);
    bullet->position.setValue(at);
    bullet->aimDirection(velocity);
    bullet->position.setVelocity(velocity);
    bullet->setTime(-static_cast<float>(kBulletSpacing * i));
    bullet->setLifetime(kBulletFrames);
    addTrail(bullet, mSet.model(0), 1, kBulletSpacing * i);
  }
}

PoisonArrow::PoisonArrow() : mSet("src/picture/animation/毒矢.txt") {}

i32 PoisonArrow::update() {
  constexpr i32 kFlightFrames = 64;
  constexpr float kPassFrame = 32.f;
  constexpr float kArc = 192.f;
  if (frame() == 16) {
    SceneNode* arrow = launchFromCaster(mSet.model(0));
    Vector3 pass;
    getPointAlongPath(pass, 0.f, 0.f, -0.5f);
    pass.z += kArc;
    auto flight = std::make_unique<Module::Transport>(arrow, kFlightFrames, true);
    flight->setSpanValue(firstTargetPosition(), kPassFrame, pass);
    addModule(std::move(flight));
    playSoundAt(0);
  }
  if (frame() == 24) {
    setCameraOnCast();
  }
  if (frame() == 80) {
    if (isAnyTargetHit()) {
      mHit.spawnOnTargets(*mAction);
      mPoison.launchOnTargets(*mAction);
      startSound("hit");
    }
    flashHitTargets();
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

Needle::Needle() : mSet("src/picture/animation/針.txt") {}

i32 Needle::update() {
  if (frame() == 0) {
    stepCaster(16.f, 16.f, 8);
  }
  if (frame() >= kFirstThrowFrame && frame() <= kLastThrowFrame && frame() % 2 == 0) {
    throwNeedle();
  }
  if (frame() == 48) {
    flashHitTargets();
    mFlash.launchOnTargets(*mAction);
    moveHome(32.f, 30);
  }
  if (frame() == kApplyFrame) {
    playSoundAt(1);
    mNeedles.clear();
    mBurst.burstOnTargets(*mAction, 0.f);
    applyResult();
  }
  endFrom(kEndFrame);
  return frame();
}

// A needle flies straight in 24 frames to up to 32 beside the target
// centre, up to 32 above it and 16 before it, and sticks there.
void Needle::throwNeedle() {
  constexpr float kScatter = 32.f;
  constexpr float kBefore = 16.f;
  constexpr i32 kFlightFrames = 24;
  Vector3 scatter;
  RandomGenerator::instance()->getFlatVector(&scatter, kScatter);
  Vector3 end;
  getPointNearTargets(end, scatter.x, scatter.y, kBefore);
  SceneNode* needle = launchFromCaster(mSet.model(0));
  addModule(std::make_unique<Module::Bring>(needle, kFlightFrames, end, 0.f));
  playSound("main");
  needle->aimAt(end);
  mNeedles.add(needle);
}

Feather::Feather() : mSet("src/picture/animation/翼.txt") {}

i32 Feather::update() {
  if (frame() == 0) {
    stepCaster(16.f, 16.f, 8);
    setCameraOnCast();
  }
  if (frame() == 16) {
    sweepWing(1.f);
    sweepWing(-1.f);
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    applyResult();
    if (isAnyTargetHit()) {
      launchSparksOnTargets(kSparks);
      startSound("hit");
    }
  }
  if (frame() == kEndFrame) {
    finish();
  }
  return frame();
}

// A bare carrier from half the caster's size to the side of its front
// point down to the target centre on the ground in 32 frames, flattening
// over the wing's 72 frames and leaving model 0 every fourth.
void Feather::sweepWing(float side) {
  constexpr i32 kSweepFrames = 32;
  constexpr i32 kWingFrames = 72;
  constexpr i32 kFeatherInterval = 4;
  Vector3 start;
  mCaster->getFrontPoint(start);
  Vector3 across;
  getSideDirection(across);
  start += Bank::scaled(across, side * mCaster->getSize() / 2.f);
  Vector3 ground = targetCentre();
  ground.z = 0.f;
  SceneNode* wing = launchAnimation(nullptr);
  wing->position.setValue(start);
  wing->aimAt(ground);
  wing->position.moveTo(static_cast<float>(kSweepFrames), ground);
  wing->scale.moveTo(static_cast<float>(kWingFrames), Vector3(1.f, 1.f, 0.f));
  wing->setLifetime(kWingFrames);
  addTrail(wing, mSet.model(0), kFeatherInterval);
}

WaterHammer::WaterHammer() : mSet("src/picture/animation/水弾.txt") {}

i32 WaterHammer::update() {
  constexpr i32 kFlightFrames = 48;
  constexpr float kArc = 128.f;
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == 32) {
    SceneNode* ball = launchFromCaster(nullptr);
    ball->setLifetime(kFlightFrames);
    const Unit* target = getFirstTarget();
    if (SceneNode* body = target ? target->node() : nullptr) {
      addModule(std::make_unique<Module::Bring>(ball, kFlightFrames, body, kArc));
    }
    addTrail(ball, mSet.model(0), 1);
    playSoundAt(0);
  }
  if (frame() == 80) {
    if (isAnyTargetHit()) {
      launchHitMarks();
    }
    flashHitTargets();
    mSplash.sprayOnTargets(*mAction);
    startSound("hit");
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

}  // namespace Game::Effect
