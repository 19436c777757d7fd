// Beams and rays: the laser, the freezing ray, the laser drive, the sun
// beam, the grand laser and the railgun.

#include "effect/Beams.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/module/Move.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

Laser::Laser() : mSet("src/picture/animation/レーザー.txt") {}

i32 Laser::update() {
  if (frame() == 0) {
    faceTargets();
  }
  if (frame() == 16) {
    SceneNode* charge = launchFromCaster(mSet.model(1));
    charge->aimAt(firstTargetPosition());
    startSound("charge");
    setCameraOnCast();
  }
  if (frame() == 32) {
    playSoundAt(0);
    holdLineOnFirstTarget(mSet.model(0));
  }
  if (frame() == 48) {
    flashHitTargets();
    launchSparksOnTargets(kSparks);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

FreezingRay::FreezingRay() : mSet("src/picture/animation/冷凍光線.txt") {}

i32 FreezingRay::update() {
  constexpr float kIcicleHeight = 128.f;
  constexpr float kIcicleSpread = 32.f;
  constexpr i32 kIcicles = 6;
  if (frame() == 0) {
    faceTargets();
  }
  if (frame() == 30) {
    holdLineOnFirstTarget(mSet.model(0));
    playSoundAt(0);
  }
  if (frame() == 46) {
    setCameraOnCast();
    mGlow.launchOnTargets(*mAction);
    flashHitTargets();
    mCold.chillTargets(*mAction);
  }
  if (frame() == 80) {
    Vector3 ground = firstTargetPosition();
    ground.z = 0.f;
    mIcicle.field(getScenePool(), ground, kIcicleHeight, kIcicleSpread, kIcicles);
    startSound("hit");
  }
  applyOn(kApplyFrame);
  if (frame() == kEndFrame) {
    finish();
  }
  return frame();
}

LaserDrive::LaserDrive() : mSet("src/picture/animation/レーザードライブ.txt") {}

i32 LaserDrive::update() {
  if (frame() == 0) {
    setCameraOnCaster();
  }
  if (frame() == 16) {
    mAura.launchOn(*mCaster);
  }
  if (frame() == 48) {
    setCameraOnCast();
    setCameraPitch(30.f);
  }
  if (frame() >= 49 && frame() <= 79 && frame() % 4 == 0) {
    fireVolley();
    playSound("main");
  }
  if (frame() == kApplyFrame) {
    if (isAnyTargetHit()) {
      startSound("hit");
    }
    mParticle.sprayOnTargets(*mAction);
    applyResult();
  }
  if (frame() == kEndFrame) {
    finish();
  }
  return frame();
}

// One bolt at every target, each thrown off its line by up to 16 degrees
// about every axis.
void LaserDrive::fireVolley() {
  constexpr float kScatter = 16.f;
  for (i32 i = 0; i < getTargetCount(); ++i) {
    Vector3 target;
    getTarget(i)->getPosition(target);
    SceneNode* bolt = launchFromCaster(mSet.model(0));
    bolt->aimAt(target);
    Vector3 turn;
    RandomGenerator::instance()->getBoxVector(&turn, kScatter, kScatter, kScatter);
    bolt->rotation.translate(turn);
  }
}

SunBeam::SunBeam() : mSet("src/picture/animation/電子光線.txt") {}

i32 SunBeam::update() {
  constexpr float kLightIntensity = 2.f;
  constexpr i32 kLightFrames = 64;
  constexpr Engine::u32 kOrange = 0xFFFF8000u;
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == 16) {
    for (i32 k = 0; k < kShots; ++k) {
      fireShot(k);
    }
  }
  if (frame() == 80) {
    mEmission.launchOnTargets(*mAction);
    mShake.launchOnTargets(*mAction);
    getScenePool().createLightPacked(kLightIntensity, kLightFrames, firstTargetPosition(), kOrange);
    flashHitTargets();
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// Shot k leaves d = 16·k frames late, swings through a point up to 128 off
// the caster and 128 above it on its 24th frame, and ends in target 0.
void SunBeam::fireShot(i32 k) {
  constexpr float kSwing = 128.f;
  constexpr float kSwingFrame = 24.f;
  const i32 delay = kShotSpacing * k;
  const Vector3 target = firstTargetPosition();
  SceneNode* shot = launchFromCaster(mSet.model("top"));
  shot->setLifetime(kFlightFrames);
  shot->setTime(-static_cast<float>(delay));
  Vector3 swing;
  RandomGenerator::instance()->getFlatVector(&swing, kSwing);
  swing += casterPosition();
  swing.z += kSwing;
  auto flight = std::make_unique<Module::Transport>(shot, kFlightFrames, true);
  flight->mStretch = true;
  flight->setSpan(target, kSwingFrame, swing, 0.f, Vector3(0.f, 0.f, 0.f));
  addModule(std::move(flight))->mDelay = delay;
  addTrail(shot, mSet.model(0), 1, delay);
  playSound("main", delay);
  mEmitter.flameBurst(getScenePool(), target, delay + kFlightFrames);
  playSound("hit", delay + kFlightFrames);
}

GrandLaser::GrandLaser() : mSet("src/picture/animation/グランドレーザー.txt") {}

i32 GrandLaser::update() {
  constexpr float kGatherSpread = 45.f;
  constexpr i32 kLights = 64;
  constexpr float kSpeed = 16.f;
  constexpr float kShakeDivisor = 16.f;
  if (frame() == 0) {
    setCameraOnCast();
    mCharge.gather(getScenePool(), casterPosition(), firstTargetPosition(), kGatherSpread);
  }
  if (frame() == 64) {
    Vector3 muzzle;
    getPointNearCaster(muzzle, 0.f, 0.f, -64.f);
    Vector3 velocity;
    getTargetDirection(velocity);
    velocity *= kSpeed;
    for (i32 i = 0; i < kLights; ++i) {
      SceneNode* light = launchAnimation(mSet.model(0));
      light->position.setValue(muzzle);
      light->position.setVelocity(velocity);
      light->setTime(-static_cast<float>(i));
    }
    mShake.launchOnTargetsFrom(*mAction, casterPosition(), kShakeDivisor);
    playSoundAt(0);
  }
  if (frame() == kApplyFrame) {
    mParticle.sprayOnTargets(*mAction);
    startSound("hit");
    applyResult();
  }
  endFrom(kEndFrame);
  return frame();
}

Railgun::Railgun() : mSet("src/picture/animation/レールガン.txt") {}

i32 Railgun::update() {
  constexpr float kRise = 64.f;
  if (frame() == 0) {
    addModule(std::make_unique<Module::Move>(*mCaster, *mAction, kRise, 30));
  }
  if (frame() == 30) {
    faceTargets();
  }
  if (frame() == 60) {
    SceneNode* gun = launchFromCaster(mSet.model(0));
    gun->aimAtXY(aimPoint());
    for (i32 i = 0; i < getTargetCount(); ++i) {
      Vector3 target;
      getTarget(i)->getPosition(target);
      mRings.ring(getScenePool(), target, casterPosition());
    }
    playSoundAt(0);
    flashHitTargets();
  }
  if (frame() == 70) {
    moveHome(kRise, 60);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

}  // namespace Game::Effect
