// Named special arts that cover the field or strike in turn from many
// points.

#include "effect/Fields.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::u32;
using Engine::Math::Vector3;

namespace {
constexpr float kFieldDegree = std::numbers::pi_v<float> / 180.f;
constexpr u32 kThinRed = 0x40FF0000u;
}  // namespace

SerpentIdolCurse::SerpentIdolCurse() : mSet("src/picture/animation/SerpentIdolCurse.txt") {
  addSound("attack", "chari15_b");
  addSound("hit", "hit_s07_a");
}

// Serpent i swings out to a point 256 round the caster at i·22.5 degrees,
// 128 up, and reaches the first target 4·i + 64 frames after it leaves.
void SerpentIdolCurse::fanOut() {
  const Vector3 caster = casterPoint();
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kSerpents; ++i) {
    const i32 frames = 4 * i + 64;
    const float a = 22.5f * static_cast<float>(i);
    const Vector3 d = Bank::scaled(ang(a, 0.f), 256.f);
    const Vector3 swing = nearCaster(d.x, 128.f, d.y);
    SceneNode* serpent = node(mSet.model(Bank::kMain), caster).rotZ(-a).life(frames).get();
    auto path = std::make_unique<Module::Transport>(serpent, frames, true);
    path->setSpan(target, 32.f, swing, 32.f, Vector3(0.f, 0.f, 6.f));
    path->mTrail = mSet.model("afterimage");
    addModule(std::move(path));
  }
  start("attack");
}

i32 SerpentIdolCurse::update() {
  if (at(0)) {
    setCameraPitch(5.f);
    setCameraOnCaster();
  }
  if (at(32)) {
    fanOut();
  }
  if (at(64)) {
    setCameraOnCast();
    setCameraYawBySide(30.f);
  }
  if (at(96)) {
    reactions();
    mCurse.launchOnTargets(*mAction);
  }
  if (every(96, 160, 16)) {
    if (anyHit()) {
      stage().flashWhite();
      mParticle.sprayOnTargets(*mAction);
      play("hit", 0);
    }
    reactions();
  }
  return applyOnEndFrom(160, 193);
}

VerdantRockCrush::VerdantRockCrush() : mSet("src/picture/animation/VerdantRockCrush.txt") {
  addSound("hit", "crash28");
}

// Stone i leaves from 64 round the caster on frame i and lands within 64
// of the first target 24 frames later, where its hit and ripple wait.
void VerdantRockCrush::throwStones() {
  RandomGenerator& random = *RandomGenerator::instance();
  const Vector3 caster = casterPoint();
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kStones; ++i) {
    const float wait = static_cast<float>(i);
    Vector3 spread;
    random.getSpatialVector(&spread, 64.f);
    const Vector3 landing = Bank::added(target, spread);
    Vector3 round;
    random.getCenteredDirection(&round, 360.f, 0.f);
    SceneNode* stone = node(mSet.model(0), grounded(Bank::added(caster, Bank::scaled(round, 64.f)))).get();
    auto path = std::make_unique<Module::Transport>(stone, 32, true);
    path->setSpanVelocity(landing, 0.f, Vector3(0.f, 0.f, 12.f));
    after(addModule(std::move(path)), i);
    Placed(stone).spinZ().delay(wait);
    Placed(mShotHit.launch(getScenePool(), landing)).delay(wait + 24.f).scale(0.1f);
    Placed(mRipple.launch(getScenePool(), landing, 64.f)).delay(wait + 24.f);
  }
}

i32 VerdantRockCrush::update() {
  if (at(0)) {
    throwStones();
    for (i32 i = 0; i < 8; ++i) {
      play("hit", 32 + 8 * i);
    }
    setCameraOnCast();
    setCameraYawBySide(30.f);
  }
  if (at(32)) {
    reactions();
    mShake.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

FrozenLakeRidge::FrozenLakeRidge() { addSound("attack", "don03"); }

// Step k of each ridge stands (k − 8)·16 across and −(k − 8)·48 along the
// way from the targets' centre, mirrored across for the two ridges, 3·k
// frames late; the crossing step's cluster is three times as high.
void FrozenLakeRidge::raiseRidges() {
  for (i32 k = 0; k < kSteps; ++k) {
    const float fromCrossing = static_cast<float>(k - kCrossing);
    const float height = k == kCrossing ? 288.f : 96.f;
    for (i32 s = 0; s < 2; ++s) {
      const float x = s == 0 ? -16.f * fromCrossing : 16.f * fromCrossing;
      const Vector3 p = grounded(Bank::added(nearTargets(x, 0.f, -48.f * fromCrossing), flat(16.f)));
      mIcicle.field(getScenePool(), p, height, 16.f, 4, 3.f * static_cast<float>(k));
    }
  }
  mShock.launchAtFront(*mCaster);
}

i32 FrozenLakeRidge::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraPitch(30.f);
    setCameraOffsetZ(8.f);
    start("attack");
    raiseRidges();
  }
  if (at(32)) {
    if (anyHit()) {
      stage().flashWhite();
      mCold.chillTargets(*mAction);
      mEmission.launchOnTargets(*mAction);
    }
    reactions();
  }
  return applyOnEndFrom(64, 97);
}

FallingPillarStorm::FallingPillarStorm() : mSet("src/picture/animation/FallingPillarStorm.txt") {}

// About x = +128 when the action aims at side 0, −128 at side 1.
void FallingPillarStorm::dropPillars() {
  const i32 side = mAction->targetCell().side;
  const float shift = side == 0 ? 128.f : -128.f;
  for (i32 i = 0; i < kPillars; ++i) {
    const i32 t = 16 * i;
    Vector3 p = flat(128.f);
    p.x += shift;
    node(mSet.model(Bank::kMain), p).rotZ(180.f * static_cast<float>(side)).delay(static_cast<float>(t));
    play("fall", t + 16);
    mExplode.launch(getScenePool(), p, 128.f, static_cast<float>(t + 64));
    play("explode", t + 64);
  }
}

i32 FallingPillarStorm::update() {
  if (at(0)) {
    setCameraPitch(30.f);
    setCameraOnTargets();
    dropPillars();
  }
  if (at(64)) {
    mEmission.launchOnTargets(*mAction);
    reactions();
  }
  if (frame() >= 64 && frame() % 16 == 0) {
    setCameraOffsetZ(2.f);
    stage().flash(kThinRed, 2);
  }
  return applyOnEndFrom(192, 209);
}

FallingFishShower::FallingFishShower() : mSet("src/picture/animation/FallingFishShower.txt") {
  addSound("land", "pi45");
}

i32 FallingFishShower::update() {
  if (at(0)) {
    for (i32 i = 0; i < kColumns; ++i) {
      for (i32 j = 0; j < kRows; ++j) {
        const Vector3 cell(32.f * static_cast<float>(i - 8), 32.f * static_cast<float>(j - 4), 0.f);
        for (i32 n = 0; n < kPerCell; ++n) {
          Placed fish = node(mSet.model(Bank::kMain), Bank::added(flat(16.f), cell));
          fish.delay(rnd(64.f));
        }
      }
    }
    setCameraPitch(30.f);
    for (i32 i = 0; i < 16; ++i) {
      play("land", 32 + 4 * i);
    }
  }
  if (at(64)) {
    reactions();
    mPoison.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(128, 145);
}

WanderersVolley::WanderersVolley() : mSet("src/picture/animation/WanderersVolley.txt") {
  addSound("shot", "gun10");
  addSound("hit", "hit01");
}

// Shot i stands (i + 1)/32 of the way to the first target, capped there,
// turned 20·i about its way and started i frames late.
void WanderersVolley::fireStream() {
  const Vector3 caster = casterPoint();
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kShots; ++i) {
    const float s = std::min(static_cast<float>(i + 1) / static_cast<float>(kWalking), 1.f);
    Vector3 p;
    MathHelper::lerpVector(&p, s, caster, target);
    SceneNode* shot = node(mSet.model(Bank::kMain), p)
                          .aimAt(caster)
                          .rotZ(20.f * static_cast<float>(i))
                          .delay(static_cast<float>(i))
                          .get();
    if (s < 1.f) {
      shot->scale.setValue(0.5f, 0.5f, 1.f);
    }
  }
}

i32 WanderersVolley::update() {
  if (at(0)) {
    start("shot");
    fireStream();
    setCameraOnCast();
    stepCaster(0.f, 16.f, 8);
  }
  if (at(32)) {
    reactions();
    if (anyHit()) {
      mShake.launchOnTargets(*mAction);
      playRow("hit", 4, 12);
    }
  }
  applyOn(96);
  endOn(128);
  return frame();
}

VerdictPillar::VerdictPillar() : mSet("src/picture/animation/VerdictPillar.txt") {}

float VerdictPillar::pillarTurn() const { return 180.f * static_cast<float>(1 - mAction->targetCell().side); }

void VerdictPillar::raisePillars() {
  for (i32 i = 0; i < kPillars; ++i) {
    const i32 t = 4 * i;
    const Vector3 p = Bank::added(aim(), flat(192.f));
    node(mSet.model(i % 2 == 0 ? "red" : "blue"), p).delay(static_cast<float>(t)).rotZ(pillarTurn());
    Placed(mShock.launch(getScenePool(), p)).delay(static_cast<float>(t + 32));
    play("explode", t + 32);
  }
}

i32 VerdictPillar::update() {
  const float theta = mCaster->side() == 1 ? -30.f : 30.f;
  if (at(0)) {
    const float r = theta * kFieldDegree;
    setCameraPoint(Bank::added(aim(), Vector3(1024.f * std::sin(r), 0.f, 1024.f * std::cos(r))));
    setCameraPitch(30.f);
  }
  if (at(32)) {
    raisePillars();
    mLines.scatter(getScenePool(), 90.f - theta, 32);
  }
  if (frame() >= 64 && frame() % 4 == 0) {
    setCameraOffsetZ(4.f);
  }
  if (at(64)) {
    setCameraOnTargets();
    reactions();
    mPakapaka.launchOnTargets(*mAction);
    stage().flashWhite();
  }
  if (at(96)) {
    reactions();
  }
  if (at(128)) {
    node(mSet.model(Bank::kMain), aim()).rotZ(pillarTurn());
    Placed(mShock.launch(getScenePool(), aim())).delay(32.f);
  }
  if (at(160)) {
    start("explodeL");
    mCinders.launchOnTargets(*mAction);
    apply();
    setCameraOffsetZ(8.f);
  }
  endFrom(193);
  return frame();
}

TenfoldTribunal::TenfoldTribunal() : mSet("src/picture/animation/TenfoldTribunal.txt") { addSound("attack", "hit12"); }

// Orb i passes a point 192 from the first target and ends 512 from it,
// both on frame 6·i + 64 of its flight, and fires its beam from the first.
void TenfoldTribunal::launchOrbs() {
  const Vector3 caster = casterPoint();
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kOrbs; ++i) {
    const i32 t = 6 * i + 64;
    const Vector3 close = Bank::added(target, Bank::scaled(dir(0.f, 360.f, 0.f, 90.f), 192.f));
    const Vector3 distant = Bank::added(target, Bank::scaled(dir(0.f, 360.f, 0.f, 90.f), 512.f));
    SceneNode* orb = node(mSet.model(i % 2), caster).get();
    auto path = std::make_unique<Module::Transport>(orb, 128, false);
    path->setSpan(distant, static_cast<float>(t), close, static_cast<float>(t), Vector3(0.f, 0.f, 0.f));
    addModule(std::move(path));
    Placed(mBeam.launch(getScenePool(), close, target)).delay(static_cast<float>(t));
    play("attack", t);
  }
}

i32 TenfoldTribunal::update() {
  if (at(0)) {
    launchOrbs();
    setCameraOnTargets();
  }
  if (at(64)) {
    reactions();
    mEmission.launchOnTargets(*mAction);
    mShake.launchOnTargets(*mAction);
  }
  if (every(65, 127, 6) && anyHit()) {
    sparks(8);
  }
  if (at(128)) {
    if (anyHit()) {
      mParticle.sprayOnTargets(*mAction);
    }
    apply();
  }
  endFrom(161);
  return frame();
}

SlumberCapsuleMist::SlumberCapsuleMist() : mSet("src/picture/animation/SlumberCapsuleMist.txt") {
  addSound("shot", "swing11");
  addSound("hit", "smoke02");
}

// Capsule i leaves 8·i frames late, lands on target i 64 frames later and
// bursts into four growing puffs two frames apart.
void SlumberCapsuleMist::launchCapsules() {
  const Vector3 caster = casterPoint();
  for (i32 i = 0; i < mAction->targetCount(); ++i) {
    const i32 t = kSpacing * i;
    Vector3 landing;
    mAction->target(i).getPosition(landing);
    SceneNode* capsule = node(mSet.model("shot"), caster).delay(static_cast<float>(t)).get();
    after(bring(capsule, 64, landing, 192.f), t);
    play("shot", t);
    play("hit", t + 64);
    for (i32 k = 0; k < kPuffs; ++k) {
      node(mSet.model(Bank::kMain), landing)
          .delay(static_cast<float>(t + 64 + 2 * k))
          .scale(0.25f * static_cast<float>(k + 1));
    }
  }
}

i32 SlumberCapsuleMist::update() {
  const i32 hit = hitFrame(mAction->targetCount());
  if (at(0)) {
    launchCapsules();
    setCameraOnCast();
  }
  if (at(hit)) {
    reactions();
    mPoison.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(hit + 32, hit + 65);
}

}  // namespace Game::Effect
