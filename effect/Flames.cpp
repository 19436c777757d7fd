// Named special attacks of fire.

#include "effect/Flames.h"

#include <memory>

#include "Engine/Math/Functions.h"
#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

void Path3::line(const Vector3& from, const Vector3& to, float start, float duration) {
  const float ends[3][2] = {{from.x, to.x}, {from.y, to.y}, {from.z, to.z}};
  const i32 degrees[] = {1};
  const float durations[] = {duration};
  for (int axis = 0; axis < 3; ++axis) {
    mAxes[axis].buildFromValues(ConstraintList(0), degrees, ends[axis], durations);
  }
  mStart = start;
}

Vector3 Path3::at(float time) const {
  const float t = time - mStart;
  return Vector3(mAxes[0].valueAt(t), mAxes[1].valueAt(t), mAxes[2].valueAt(t));
}

FlameBrandSweep::FlameBrandSweep() : mSet("src/picture/animation/FlameBrandSweep.txt") {}

i32 FlameBrandSweep::update() {
  if (at(0)) {
    setCameraYawBySide(45.f);
    setCameraOnCast();
    mAura.launchOn(*mCaster);
  }
  if (at(kSweep)) {
    Vector3 from = aim();
    from.y = kReach;
    Vector3 to = aim();
    to.y = -kReach;
    mPath.line(from, to, 32.f, 32.f);
    mBlade.keep(node(mSet.model(0), casterPoint()).get());
    getScenePool().createLightPacked(2.f, 32, casterPoint(), 0xFFFFFF40);
    start("main");
  }
  if (every(kSweep, kSweep + 31, 1)) {
    sweepOn();
  }
  if (every(129, 159, 8)) {
    setCameraOffsetZ(3.f);
  }
  if (at(160)) {
    Vector3 glow = aim();
    glow.z = 4.f;
    getScenePool().createLightPacked(32.f, 16, glow, 0xFFFFFFFF);
    mCinders.launchOnTargets(*mAction);
    mStagger.launchOnTargets(*mAction);
    reactions();
  }
  return applyOnEndFrom(192, 209);
}

// The blade turns to where the sweep is; flames there rise 64 frames on.
void FlameBrandSweep::sweepOn() {
  const Vector3 p = mPath.at(static_cast<float>(frame() - 32));
  if (SceneNode* blade = mBlade.get()) {
    blade->aimAt(p);
  }
  node(mSet.model("heat"), p).spinZ();
  if (SceneNode* pillar = mPillar.launch(getScenePool(), p)) {
    pillar->setTime(-64.f);
  }
  if (frame() % 4 == 0) {
    play("explode", 64);
  }
}

BlazingSkyPlunge::BlazingSkyPlunge() : mSet("src/picture/animation/BlazingSkyPlunge.txt") {
  addSound("attack", "bom09");
}

i32 BlazingSkyPlunge::update() {
  if (at(0)) {
    mAura.launchOn(*mCaster);
    setCameraOnCast();
    mEmission.overlayOn(*mCaster);
  }
  if (at(kDive)) {
    dive();
  }
  if (every(36, 92, 4)) {
    on(mSet.model("main"), mCaster);
  }
  if (at(kImpact)) {
    impact();
  }
  applyOn(96);
  if (at(96)) {
    moveHome(64.f, 60);
  }
  endFrom(129);
  return frame();
}

// The caster's node carried onto the first target in 64 frames, passing
// 16 frames in the point behind it on the path, at its own height.
void BlazingSkyPlunge::dive() {
  start("attack");
  Vector3 back = alongPath(0.f, 0.f, -1.5f);
  back.z = casterPoint().z;
  auto path = std::make_unique<Module::Transport>(mCaster->node(), 64, false);
  path->setSpanValue(targetPoint(), 16.f, back);
  addModule(std::move(path));
  faceTargets();
  setCameraPitch(30.f);
  setCameraOnTargets();
}

// 64 blasts spreading over the first target, one a frame.
void BlazingSkyPlunge::impact() {
  stage().flash(0x80FF8000, 4);
  reactions();
  if (!anyHit()) {
    return;
  }
  if (const Unit* first = getFirstTarget()) {
    mGlow.launchOn(*first);
  }
  mEmission.launchOnTargets(*mAction);
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < 64; ++i) {
    Vector3 p = flat(4.f * static_cast<float>(i));
    p += target;
    mExplode.launch(getScenePool(), p, 32.f, static_cast<float>(i));
  }
}

CoreMeltdownBurst::CoreMeltdownBurst() : mSet("src/picture/animation/CoreMeltdownBurst.txt") {}

i32 CoreMeltdownBurst::update() {
  if (at(0)) {
    setCameraScale(1.5f);
    setCameraOnCaster();
    mEmission.overlayOn(*mCaster);
    mGlow.launchOn(*mCaster);
    start("ready");
  }
  if (at(kBurst)) {
    burst();
  }
  if (every(49, 255, 4)) {
    setCameraOffsetZ(static_cast<float>(frame()) * 2.f / 96.f);
  }
  if (every(49, 255, 48)) {
    stage().flashWhite();
  }
  if (at(256)) {
    mCinders.launchOnTargets(*mAction);
    mBurned.smokeTargets(*mAction);
  }
  return applyOnEndFrom(272, 289);
}

// The cinder glow over the caster and 64 growing embers, one every 4
// frames.
void CoreMeltdownBurst::burst() {
  const Animation cinder = mSet.animation("cinder");
  if (SceneNode* body = mCaster->node(); cinder && body) {
    body->addOverlay(cinder, 0.f);
  }
  setCameraScale(1.f);
  setCameraPitch(30.f);
  setCameraOnCast();
  const Vector3 caster = casterPoint();
  for (i32 i = 0; i < 64; ++i) {
    node(mSet.model(0), caster).scale(static_cast<float>(i) * 4.f / 64.f).delay(4.f * static_cast<float>(i)).spinZ();
  }
  start("main");
}

CinderConstellation::CinderConstellation() : mSet("src/picture/animation/CinderConstellation.txt") {}

i32 CinderConstellation::update() {
  if (at(0)) {
    setCameraOnTargets();
    setCameraScale(1.5f);
    start("ready");
  }
  if (at(64)) {
    node(mSet.model("main"), targetPoint());
  }
  if (every(64, 112, 8) || at(128)) {
    stage().flashWhite();
    start("hit");
  }
  if (at(160) && anyHit()) {
    stage().flash(0xFFFF0000, 80);
    mCinders.launchOnTargets(*mAction);
    mBurned.smokeTargets(*mAction);
    start("explode");
  }
  return applyOnEndFrom(192, 207);
}

SearingGlare::SearingGlare() : mSet("src/picture/animation/SearingGlare.txt") {}

i32 SearingGlare::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraPitch(30.f);
  }
  if (at(32)) {
    setCameraOnCast();
    fling();
  }
  if (at(112)) {
    Vector3 glow = aim();
    glow.z = 32.f;
    getScenePool().createLightPacked(4.f, 32, glow, 0xFFFFFFFF);
    mCinders.launchOnTargets(*mAction);
    setCameraOffsetZ(4.f);
    start("explode");
  }
  return applyOnEndFrom(160, 193);
}

// Flame i leaves 4·i frames in and lands within 128 of the aim point in
// 16 frames, a pillar rising there once all have landed.
void SearingGlare::fling() {
  const Vector3 caster = casterPoint();
  for (i32 i = 0; i < 16; ++i) {
    Vector3 spot = flat(128.f);
    spot += aim();
    Placed flame = node(mSet.model(0), caster).delay(4.f * static_cast<float>(i)).life(88 - 4 * i);
    after(bring(flame.get(), 16, spot, 16.f), 4 * i);
    Placed(mPillar.launch(getScenePool(), spot)).delay(80.f);
    if (i % 2 == 0) {
      play("main", 4 * i);
    }
  }
  mSparks.splash(getScenePool(), caster);
}

EruptingPeak::EruptingPeak() : mSet("src/picture/animation/EruptingPeak.txt") { addSound("hit", "bom02"); }

i32 EruptingPeak::update() {
  if (at(0)) {
    setCameraOnTargets();
    mHeat.launch(getScenePool(), aim(), 384.f, 128);
  }
  if (at(32)) {
    erupt();
  }
  if (every(32, 95, 16)) {
    stage().flash(0xFFFF8000, 4);
  }
  if (at(96)) {
    apply();
    mCinders.launchOnTargets(*mAction);
  }
  endFrom(113);
  return frame();
}

// 32 throws of three rocks each, one throw every 2 frames, the rocks of a
// throw smaller and a frame apart, falling back under gravity.
void EruptingPeak::erupt() {
  start("hit");
  setCameraOffsetZ(16.f);
  const Vector3 crater = aim();
  node(mSet.model(0), crater);
  mEmission.launchOnTargets(*mAction);
  for (i32 i = 0; i < 32; ++i) {
    Vector3 velocity = dir(0.f, 360.f, 30.f, 90.f);
    velocity *= 20.f;
    for (i32 j = 0; j < 3; ++j) {
      SceneNode* rock =
          node(mSet.model("弾"), crater).scale(1.f - static_cast<float>(j) / 4.f).life(64).delay(2.f * i + j).get();
      if (rock) {
        rock->position.setVelocity(velocity);
        rock->position.setAcceleration(0.f, 0.f, -40.f / 64.f);
      }
    }
  }
}

i32 AshenReturn::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraScale(1.5f);
    setCameraYawBySide(-30.f);
  }
  const Unit* first = getFirstTarget();
  if (at(32) && first) {
    mWings.launchOn(stage(), *first);
  }
  if (at(48)) {
    mEmission.launchOnTargets(*mAction);
    playSoundAt(0);
  }
  if (at(64)) {
    apply();
    if (first) {
      mCross.launchOn(*first);
    }
  }
  endFrom(97);
  return frame();
}

namespace {
constexpr i32 kFlightFrames = 128;
// The flight passes the first target at this time of the curve.
constexpr float kPassTime = 104.f;
constexpr i32 kWingFlames = 6;
constexpr float kWingSpan = 128.f;
constexpr float kWingSweep = 32.f;
// Wings fold back toward 90 degrees as the speed passes this.
constexpr float kFoldSpeed = 10.f;
constexpr Engine::u32 kFireLight = 0xFFFF8000;
}  // namespace

i32 FlameWingAscent::update() {
  if (at(0)) {
    plotFlight();
    setCameraScale(1.25f);
    setCameraOnCaster();
  }
  if (at(kTakeOff)) {
    getScenePool().createLightPacked(2.f, 32, casterPoint(), kFireLight);
    playSoundAt(0);
  }
  if (at(64)) {
    setCameraOnCast();
    setCameraScale(1.f);
  }
  if (every(kTakeOff + 1, 159, 4)) {
    beatWings();
  }
  if (at(128)) {
    getScenePool().createLightPacked(2.f, 32, targetPoint(), kFireLight);
    start("hit");
  }
  if (at(kStrike)) {
    strike();
  }
  if (const Unit* first = getFirstTarget(); at(160) && first) {
    mGlow.launchOn(*first);
  }
  return applyOnEndFrom(160, 193);
}

// A quadratic flight from the caster to a point as far beyond the first
// target as the caster is before it (raised by 8), passing the target at
// 104: it first draws back, then dives through.
void FlameWingAscent::plotFlight() {
  Vector3 end = alongPath(0.f, 0.f, -2.f);
  end.z += 8.f;
  MotionCurve::setSpanValue(mFlight, static_cast<float>(kFlightFrames), casterPoint(), end, kPassTime, targetPoint());
}

// Six bursts a wing from the bird outward, the outer ones later: the wings
// spread level across the path (the flight keeps to its upright plane) and
// sweep back by the angle a = 90·v²/(v² + 100), folding as it speeds up.
void FlameWingAscent::beatWings() {
  const float t = static_cast<float>(frame() - kTakeOff);
  const Vector3 bird = mFlight.valueAt(t);
  Vector3 ahead = mFlight.velocityAt(t);
  const float speed = ahead.length();
  const float fold = MathHelper::saturate(speed, 90.f, kFoldSpeed);
  // Without speed the wings stand unswept (sin 0), so any heading will do.
  ahead *= speed > 0.f ? 1.f / speed : 0.f;
  Vector3 across;
  getSideDirection(across);
  for (i32 k = 0; k < kWingFlames; ++k) {
    const float u = static_cast<float>(k) / kWingFlames;
    for (const float s : {-1.f, 1.f}) {
      Vector3 p = across;
      p *= s * Engine::Math::cos(fold) * kWingSpan * u;
      p += bird;
      Vector3 back = ahead;
      back *= kWingSweep * Engine::Math::sin(fold) * u;
      p -= back;
      mFlames.flameBurst(getScenePool(), p, static_cast<i32>(kWingSweep * u));
    }
  }
}

void FlameWingAscent::strike() {
  stage().flashWhite();
  reactions();
  launchHitMarks();
  mEmission.launchOnTargets(*mAction);
  mSparks.sprayOnTargets(*mAction);
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < 4; ++i) {
    mFlames.flameBurst(getScenePool(), target, 12 * i);
  }
  if (const Unit* first = getFirstTarget()) {
    mShake.overlayOn(*first);
  }
}

}  // namespace Game::Effect
