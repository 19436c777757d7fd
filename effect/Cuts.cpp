// Thrusts, rips and cuts.

#include "effect/Cuts.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

Vector3 scaledBy(Vector3 v, float f) {
  v *= f;
  return v;
}

}  // namespace

i32 Knife::update() {
  if (frame() == 0) {
    stepCaster(0.f, 16.f, 8);
    setCameraOnCast();
  }
  if (frame() == 8) {
    if (Unit* target = getFirstTarget()) {
      mKnife.launchBetween(*target, *mCaster);
    }
  }
  if (frame() == 16) {
    flashHitTargets();
    if (isAnyTargetHit()) {
      playSoundAt(0);
      launchHitMarks();
    }
  }
  if (frame() == 24) {
    moveHome(32.f, 30);
  }
  if (frame() == 40) {
    applyResult();
  }
  if (frame() >= 53) {
    finish();
  }
  return frame();
}

i32 Pierce::update() {
  if (frame() == 0) {
    stepCaster(0.f, 32.f, 8);
  }
  if (frame() == 16) {
    setCameraOnCast();
    Vector3 line;
    getTargetDirection(line);
    line *= kReach;
    Vector3 from = firstTargetPosition();
    from -= scaledBy(line, 0.5f);
    mBeat.launchAlong(getScenePool(), from, line);
    if (isAnyTargetHit()) {
      playSoundAt(0);
    }
  }
  if (frame() == 24) {
    launchSparksOnTargets(kSparks);
    flashHitTargets();
    moveHome(32.f, 30);
  }
  if (frame() == 32) {
    applyResult();
  }
  if (frame() >= 65) {
    finish();
  }
  return frame();
}

i32 Rip::update() {
  if (frame() == 0) {
    setCameraYawBySide(45.f);
  }
  if (frame() == 16) {
    slash(0);
  }
  if (frame() == 32) {
    flashHitTargets();
  }
  if (frame() == 48) {
    slash(1);
  }
  if (frame() == 64) {
    applyResult();
  }
  if (frame() >= 93) {
    finish();
  }
  return frame();
}

Vector3 Rip::slashLine(i32 k) const {
  Vector3 side;
  getSideDirection(side);
  if (side.squareLength() <= 0.f && mCaster) {
    mCaster->getRightVector(side);
  }
  if (side.squareLength() > 0.f) {
    side.normalize();
  }
  return scaledBy(side, k == 0 ? -kReach : kReach);
}

void Rip::slash(i32 k) {
  if (isAnyTargetHit()) {
    playSoundAt(k);
    stage().flashWhite();
  }
  const Vector3 line = slashLine(k);
  Vector3 from = firstTargetPosition();
  from -= scaledBy(line, 0.5f);
  mBeat.launchAlong(getScenePool(), from, line);
}

i32 Parry::update() {
  if (frame() == 0) {
    applyResult();
  }
  if (frame() == 16) {
    playSoundAt(0);
    Vector3 before;
    getPointNearCaster(before, 0.f, 0.f, -mCaster->getSize() / 2.f);
    mGlint.launch(getScenePool(), before);
  }
  if (frame() >= 33) {
    finish();
  }
  return frame();
}

i32 Blade::update() {
  if (frame() == 0) {
    stepCaster(0.f, 16.f, 8);
    setCameraOnCast();
  }
  if (frame() == 16) {
    if (Unit* target = getFirstTarget()) {
      mBlade.launchBetween(*target, *mCaster);
    }
  }
  if (frame() == 24) {
    flashHitTargets();
    launchHitMarks();
    if (isAnyTargetHit()) {
      playSoundAt(0);
    }
  }
  if (frame() == 32) {
    moveHome(32.f, 30);
    applyResult();
  }
  if (frame() >= 49) {
    finish();
  }
  return frame();
}

i32 CrossSplit::update() {
  if (frame() == 0) {
    dashToTarget(64, 0.75f);
  }
  if (frame() == 48) {
    setCameraOnTargets();
  }
  if (frame() == kCutFrame && isAnyTargetHit()) {
    cut();
  }
  if (frame() == 80) {
    flashHitTargets();
    launchHitMarks();
  }
  if (frame() == 96) {
    launchHitMarks();
    moveHome(32.f, 30);
    applyResult();
  }
  if (frame() >= 129) {
    finish();
  }
  return frame();
}

void CrossSplit::cut() {
  Unit& target = *getFirstTarget();
  mBlade.launchBetween(target, *mCaster);
  playSound("0");
  if (SceneNode* second = mBlade.launchBetween(target, *mCaster)) {
    second->rotation.x.setValue(-90.f);
    second->setTime(-static_cast<float>(kSecondCutDelay));
  }
  playSound("1", kSecondCutDelay);
}

}  // namespace Game::Effect
