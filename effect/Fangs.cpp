// Claws, bites and touches, and the blast of a caster that blows itself up.

#include "effect/Fangs.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Launch.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

Claw::Claw() { mSet.load(kSetFile); }

i32 Claw::update() {
  if (frame() == 0) {
    stepCaster(16.f, 16.f, 8);
    setCameraOnCast();
    swipe();
    playSoundAt(0);
  }
  if (frame() == 16) {
    launchSparksOnTargets(kSparks);
    flashHitTargets();
  }
  if (frame() == 32) {
    applyResult();
  }
  if (frame() >= 49) {
    finish();
  }
  return frame();
}

void Claw::swipe() {
  Model* claws = mSet.findModel("main");
  if (!claws) {
    reportMissing("model", "爪/main");
    return;
  }
  SceneNode* node = launchAnimation(claws);
  node->position.setValue(firstTargetPosition());
  node->aimAt(casterPosition());
}

i32 Bite::update() {
  if (frame() == 0) {
    stepCaster(0.f, 16.f, 8);
  }
  if (frame() == 16) {
    setCameraOnCast();
    if (Unit* target = getFirstTarget()) {
      mFang.launch(*target, *mCaster);
    }
  }
  if (frame() == 40) {
    sparkAndSoundOnHit();
    applyResult();
  }
  if (frame() == 64) {
    finish();
  }
  return frame();
}

BloodSteal::BloodSteal() { mSet.load(kSetFile); }

i32 BloodSteal::update() {
  if (frame() == 0) {
    setCameraOnTargets();
    moveToFirstTarget(0.f, 32, 1.f);
  }
  if (frame() == 32) {
    if (Unit* target = getFirstTarget()) {
      mFang.launch(*target, *mCaster);
    }
    launchSparksOnTargets(kSparks);
  }
  if (frame() == kDropFrame) {
    flashHitTargets();
    if (isAnyTargetHit()) {
      playSoundAt(0);
      for (i32 k = 0; k < kDrops; ++k) {
        launchDrop(k);
      }
    }
  }
  if (frame() == 72) {
    applyResult();
  }
  if (frame() == 112) {
    moveHome(64.f, 24);
  }
  if (frame() >= 129) {
    finish();
  }
  return frame();
}

void BloodSteal::launchDrop(i32 k) {
  Model* drop = mSet.findModel("top");
  if (!drop) {
    reportMissing("model", "吸血/top");
  }
  const i32 delay = kDropSpacing * k;
  const Vector3 target = firstTargetPosition();
  SceneNode* node = launchAnimation(drop);
  node->position.setValue(target);
  node->setLifetime(kDropFrames);
  node->setTime(-static_cast<float>(delay));

  Vector3 high;
  RandomGenerator::instance()->getCenteredDirection(&high, 360.f, 0.f);
  high *= RandomGenerator::instance()->getFloat(kSpread);
  high += target;
  high.z += kRise;
  auto flight = std::make_unique<Module::Transport>(node, kDropFrames, true);
  flight->mStretch = true;
  flight->setSpan(casterPosition(), kReachTime, high, 0.f, Vector3(0.f, 0.f, 0.f));
  addModule(std::move(flight))->mDelay = delay;
  addModule(std::make_unique<Module::Launch>(node, mSet.getModel(0), 1))->mDelay = delay;
}

i32 ColdTouch::update() {
  if (frame() == 0) {
    setCameraOnTargets();
    moveToFirstTarget(0.f, 32, 1.f);
  }
  if (frame() == 48) {
    if (isAnyTargetHit()) {
      launchHitMarks();
      mEmission.launchOnTargets(*mAction);
      mCold.chillTargets(*mAction);
      playSoundAt(0);
      stage().flashWhite();
    }
    flashHitTargets();
  }
  if (frame() == 72) {
    moveHome(64.f, 60);
    applyResult();
  }
  if (frame() >= 81) {
    finish();
  }
  return frame();
}

i32 SuicideBomb::update() {
  if (frame() == 0) {
    setCameraPitch(30.f);
    setCameraOnCast();
    mAura.launchOn(*mCaster);
    mEmission.overlayOn(*mCaster);
  }
  if (frame() == 40) {
    stage().flashWhite();
  }
  if (frame() == 48) {
    mBlast.launch(getScenePool(), casterPosition());
  }
  if (frame() == 72) {
    applyResult();
  }
  if (frame() >= 97) {
    finish();
  }
  return frame();
}

}  // namespace Game::Effect
