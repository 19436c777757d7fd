// Vines, binds, the warding walls, regrowth and the check.

#include "effect/Binds.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "presentation/motion/Vec3Curve.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr Engine::u32 kWhite = 0xFFFFFFFFu;

}  // namespace

Vine::Vine() : mSet("src/picture/animation/蔦.txt") {}

i32 Vine::update() {
  constexpr float kZoom = 1.25f;
  constexpr i32 kRustleSpacing = 20;
  if (frame() == 0) {
    setCameraOnCast();
    if (getTargetCount() > 1) {
      setCameraPitch(kPitch);
    } else {
      setCameraScale(kZoom);
    }
  }
  if (frame() == 16) {
    for (i32 i = 0; i < getTargetCount(); ++i) {
      for (i32 j = 0; j < kVines; ++j) {
        grow(*getTarget(i), j);
      }
    }
    for (i32 k = 0; k < kVines; ++k) {
      playSound("main", kRustleSpacing * k);
    }
  }
  if (frame() == 48) {
    mShake.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(80, 97);
}

// The path runs from a through b (at half time) to a mirrored through the
// unit's feet; segment i stands at i/20 along it, turned 45·i about its
// axis, stretched by the path's speed there, and starts i − 20·j frames
// into its animation.
void Vine::grow(const Unit& unit, i32 j) {
  constexpr float kTurn = 45.f;
  constexpr float kThickness = 64.f;
  constexpr float kStretch = 2.f / 24.f / 20.f;
  Vector3 feet;
  unit.getFrontPoint(feet);
  const float size = unit.getSize();
  const Vector3 a = flat(size / 2.f);
  const Vector3 b = flat(size);
  Vector3 start = feet;
  start += a;
  Vector3 middle = feet;
  middle += b;
  Vector3 end = feet;
  end -= a;
  Vec3Curve path;
  MotionCurve::setSpanValue(path, 1.f, start, end, 0.5f, middle);
  Model* segment = mSet.model(0);
  for (i32 i = 0; i < kSegments; ++i) {
    const float t = asFloat(i) / asFloat(kSegments);
    const Vector3 velocity = path.velocityAt(t);
    SceneNode* node = place(segment, path.valueAt(t));
    node->aimDirection(velocity);
    node->rotation.z.setValue(kTurn * asFloat(i));
    node->scale.setValue(size / kThickness, size / kThickness, velocity.length() * kStretch);
    node->setTime(asFloat(i - kSegments * j));
  }
}

Bind::Bind() : mSet("src/picture/animation/金縛り.txt") {}

i32 Bind::update() {
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == 32) {
    createOnFirstTarget(mSet.model(0));
    playSoundAt(0);
  }
  if (frame() == 64) {
    applyResult();
    mShake.launchOnTargets(*mAction);
  }
  endFrom(129);
  return frame();
}

i32 Border::update() {
  if (frame() == 32) {
    mBarrier.launchGrid(getScenePool(), Vector3(0.f, 0.f, 0.f), Vector3(1.f, 0.f, 0.f), 1.f, kRings, kWhite);
    playSoundAt(0);
  }
  endFrom(65);
  return frame();
}

i32 BorderGuard::update() {
  const float size = mCaster ? mCaster->getSize() : 0.f;
  const float scale = mCaster ? mCaster->getScale() : 1.f;
  Vector3 centre;
  getPointNearCaster(centre, 0.f, 0.f, -size / 2.f);
  Vector3 direction;
  getTargetDirection(direction);
  mBarrier.launchGrid(getScenePool(), centre, direction, scale, kRings, kWhite);
  applyResult();
  playSoundAt(0);
  finish();
  return frame();
}

Regenerate::Regenerate() : mSet("src/picture/animation/再生.txt") {}

i32 Regenerate::update() {
  constexpr float kSpacing = 8.f;
  if (frame() == 0) {
    setCameraOnCast();
  }
  if (frame() == 32) {
    for (i32 k = 0; k < kLayers; ++k) {
      if (SceneNode* node = createOnFirstTarget(mSet.model(0))) {
        node->setTime(-kSpacing * asFloat(k));
      }
    }
  }
  if (frame() == 48) {
    mHeal.launchOnTargets(*mAction);
    playSoundAt(0);
  }
  return applyOnEndFrom(64, 97);
}

Check::Check() : mSet("src/picture/animation/チェック.txt") { addSound("main", "mecha11_a"); }

i32 Check::update() {
  constexpr float kZoom = 1.25f;
  if (frame() == 0) {
    stage().flashWhite();
    setCameraOnCast();
    setCameraYawBySide(kYaw);
    setCameraScale(kZoom);
    createOnFirstTarget(mSet.model("main"));
    playSoundAt(0);
  }
  applyOn(32);
  if (frame() == 64) {
    finish();
  }
  return frame();
}

}  // namespace Game::Effect
