// Named special attacks of gusts, orbs, columns and blades.

#include "effect/Swoops.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Move.h"
#include "effect/module/Transport.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kSwoopSparks = 16;
constexpr Engine::u32 kWhiteLight = 0xFFFFFFFF;
const Vector3 kFieldOrigin(0.f, 0.f, 0.f);
constexpr float kSwoopDegree = std::numbers::pi_v<float> / 180.f;

float fl(i32 i) { return static_cast<float>(i); }
}  // namespace

FieryGustRings::FieryGustRings() : mSet("src/picture/animation/FieryGustRings.txt") {
  addSound("ready", "swing41");
  addSound("attack", "gun07");
}

i32 FieryGustRings::update() {
  if (at(0)) {
    setCameraOnCaster();
    mSuction.launchAt(*mCaster);
    start("ready");
  }
  if (at(64)) {
    setCameraOnCast();
    start("attack");
    gusts();
  }
  if (at(80)) {
    if (anyHit()) {
      if (SceneNode* ring = mRing.launch(getScenePool(), targetPoint())) {
        ring->aimAt(casterPoint());
      }
    }
    reactions();
    knockBackTargets(casterPoint());
  }
  return applyOnEndFrom(96, 129);
}

// Each gust strays up to 30 degrees about z from the targets' way; its
// four rings follow one another 4 frames apart, fainter as they go.
void FieryGustRings::gusts() {
  Vector3 way;
  getTargetDirection(way);
  const Vector3 caster = casterPoint();
  for (i32 g = 0; g < kGusts; ++g) {
    Vector3 gust;
    RandomGenerator::instance()->jitterVector(&gust, way, 0.f, 0.f, 30.f);
    for (i32 j = 0; j < kRingsPerGust; ++j) {
      SceneNode* ring = node(mSet.model("main"), caster).delay(4.f * fl(j)).get();
      if (ring) {
        ring->position.setVelocity(Bank::scaled(gust, 16.f));
        ring->position.setDampingAll(0.98f);
        ring->transparency.setValue(fl(kRingsPerGust - j) / fl(kRingsPerGust));
      }
    }
  }
  mShock.launchAtFront(*mCaster);
}

UntouchableDrift::UntouchableDrift() : mSet("src/picture/animation/UntouchableDrift.txt") {}

i32 UntouchableDrift::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.25f);
  }
  if (at(32)) {
    circle();
  }
  if (at(108)) {
    moveToFirstTarget(0.f, 32, 0.5f);
  }
  if (at(128)) {
    setCameraOnTargets();
  }
  if (at(148) || at(204)) {
    reactions();
  }
  if (every(149, 223, 4)) {
    node(mSet.model("hit"), targetPoint());
    sparks(kSwoopSparks);
    start("hit");
  }
  if (at(224)) {
    start("explode");
    mShake.launchOnTargets(*mAction);
  }
  if (at(256)) {
    apply();
    moveHome(64.f, 60);
  }
  endFrom(273);
  return frame();
}

// Seven blades riding with the caster, a seventh of a turn apart, each
// with its sound 16 frames after the last.
void UntouchableDrift::circle() {
  SceneNode* own = mCaster->node();
  for (i32 i = 0; i < kBlades; ++i) {
    SceneNode* blade = node(mSet.model("main"), casterPoint()).rotZ(360.f * fl(i) / fl(kBlades)).get();
    if (blade && own) {
      Bank::attach(*blade, *own, Vector3(0.f, 0.f, 0.f));
    }
    play("main", 16 * i);
  }
}

GoldenLatticeSnare::GoldenLatticeSnare() : mSet("src/picture/animation/GoldenLatticeSnare.txt") {}

i32 GoldenLatticeSnare::update() {
  if (at(0)) {
    moveToPoint(kFieldOrigin, 64.f, 32, false);
    setCameraOnCaster();
    setCameraPitch(30.f);
  }
  if (at(32)) {
    playSoundAt(0);
  }
  if (at(64)) {
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < 4; ++i) {
      node(mSet.model(0), caster).delay(5.f * fl(i));
      play("main", 5 * i);
    }
    setCameraOnTargets();
    setCameraOffsetZ(4.f);
  }
  if (at(72)) {
    reactions();
    mEmission.launchOnTargets(*mAction);
  }
  if (at(160)) {
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(160, 193);
}

PrismOrbVolley::PrismOrbVolley() : mSet("src/picture/animation/PrismOrbVolley.txt") {}

float PrismOrbVolley::burstHue(i32 i) { return i == 3 ? -90.f : 90.f * fl(i); }

i32 PrismOrbVolley::update() {
  if (at(0)) {
    fall(mCaster, 32, 128.f, 128.f);
    setCameraOnCaster();
  }
  if (at(32)) {
    for (i32 i = 0; i < kOrbs; ++i) {
      launchOrb(i);
    }
  }
  if (at(96)) {
    setCameraOnTargets();
    fall(mCaster, 16, 0.f, 0.f);
  }
  if (at(128)) {
    reactions();
    getScenePool().createLightPacked(2.f, 64, targetPoint(), kWhiteLight);
  }
  for (i32 i = 0; i < kOrbs; ++i) {
    if (at(128 + 16 * i)) {
      burst(i);
    }
  }
  return applyOnEndFrom(180, 193);
}

// Orb i shows and sets off 16·i frames late, passes the point 128 out from
// the caster at 90·i + 45 degrees a quarter of the way, and leaves along
// the angle 90·i + 90.
void PrismOrbVolley::launchOrb(i32 i) {
  const float turn = 90.f * fl(i);
  const float a = (turn + 45.f) * kSwoopDegree;
  Color hue;
  hue.setHue(turn);
  SceneNode* orb = node(mSet.model(0), casterPoint()).delay(16.f * fl(i)).get();
  orb->setColor(hue);
  auto path = std::make_unique<Module::Transport>(orb, kOrbFlight, false);
  path->setSpan(targetPoint(), fl(kOrbFlight) / 4.f, nearCaster(128.f * std::cos(a), 0.f, 128.f * std::sin(a)),
                fl(kOrbFlight), Bank::scaled(ang(turn + 90.f, 0.f), 4.f));
  after(addModule(std::move(path)), 16 * i);
  play("main", 16 * i);
}

void PrismOrbVolley::burst(i32 i) {
  mPrism.setSingleHue(burstHue(i));
  mPrism.sprayOnTargets(*mAction);
  stage().flash(0x80FFFFFF, 4);
  setCameraOffsetZ(1.f);
  start("hit");
}

WardSlipFlurry::WardSlipFlurry() : mSet("src/picture/animation/WardSlipFlurry.txt") {
  addSound("shot", "gun10");
  addSound("finish", "bom26_a");
}

i32 WardSlipFlurry::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraYawBySide(30.f);
    Vector3 way;
    getTargetDirection(way);
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < kWards; ++i) {
      Vector3 off;
      RandomGenerator::instance()->getSpatialVector(&off, 32.f);
      node(mSet.model("main"), Bank::added(caster, off)).aimAlong(way).spinZ().delay(2.f * fl(i));
      if (i % 2 == 0) {
        play("shot", 2 * i);
      }
    }
    for (i32 k = 0; k < 8; ++k) {
      mExplode.burstOnTargets(*mAction, 8.f * fl(k) + 16.f);
    }
  }
  if (at(16)) {
    mShake.launchOnTargets(*mAction);
  }
  if (at(64) && anyHit()) {
    sparks(kSwoopSparks);
    start("finish");
  }
  return applyOnEndFrom(72, 81);
}

GroundUpheaval::GroundUpheaval() : mSet("src/picture/animation/GroundUpheaval.txt") {
  addSound("hit", "hit61_a");
  addSound("land", "bosu15");
}

i32 GroundUpheaval::update() {
  if (at(0)) {
    setCameraOnCast();
    node(mSet.model("attack"), aim());
    Unit* first = getFirstTarget();
    fall(first, 96, 512.f, 0.f);
    sparks(kSwoopSparks);
    if (first) {
      mShock.launchAtFront(*first);
    }
    setCameraOffsetZ(12.f);
    start("hit");
  }
  if (at(96)) {
    mStagger.launchOnTargets(*mAction);
    apply();
    start("land");
  }
  endFrom(129);
  return frame();
}

HeavenlyMistColumn::HeavenlyMistColumn() : mSet("src/picture/animation/HeavenlyMistColumn.txt") {}

i32 HeavenlyMistColumn::update() {
  if (at(0)) {
    moveToCentreLine(64.f, 32);
    setCameraOnCaster();
    setCameraScale(1.5f);
  }
  if (at(32)) {
    faceTargets();
    mAura.launchOn(*mCaster);
  }
  if (at(64)) {
    fall(mCaster, 32, 64.f, 64.f);
  }
  if (at(112)) {
    setCameraOnCast();
    setCameraYawBySide(30.f);
    setCameraPitch(30.f);
    setCameraScale(1.f);
    for (i32 t = 0; t < getTargetCount(); ++t) {
      stepUnit(getTarget(t), 0.f, -128.f, 64);
    }
  }
  if (every(112, 159, 1)) {
    pour();
  }
  if (at(160)) {
    mParticle.sprayOnTargets(*mAction);
    apply();
    fall(mCaster, 16, 0.f, 0.f);
  }
  if (at(176)) {
    for (i32 t = 0; t < getTargetCount(); ++t) {
      sendHome(getTarget(t), 16.f, 16);
    }
    moveHome(64.f, 60);
  }
  endFrom(193);
  return frame();
}

Vector3 HeavenlyMistColumn::columnWay() const {
  Vector3 way(targetSide() == 1.f ? -1.f : 1.f, 0.f, -0.3f);
  way.normalize();
  return way;
}

// A column of nodes every kColumnStep along the way, widening as it goes,
// swelling on odd frames; rings on the targets every 8 frames.
void HeavenlyMistColumn::pour() {
  const Vector3 way = columnWay();
  const Vector3 base = Bank::added(casterPoint(), Bank::scaled(way, mCaster->getSize() / 2.f));
  const float swell = frame() % 2 == 1 ? 1.525f : 1.f;
  for (i32 j = 0; j < kColumnNodes; ++j) {
    const float size = (0.5f + 0.7f * fl(j) / fl(kColumnNodes)) * swell;
    node(mSet.model("main"), Bank::added(base, Bank::scaled(way, kColumnStep * fl(j)))).scale(size);
  }
  if (frame() % 8 == 0) {
    const Vector3 caster = casterPoint();
    for (i32 t = 0; t < getTargetCount(); ++t) {
      Vector3 p;
      getTarget(t)->getPosition(p);
      node(mSet.model("ring"), p).aimAt(caster);
    }
    sparks(kSwoopSparks);
  }
  if (frame() % 2 == 0) {
    start("main");
  }
}

CrimsonFocusGlow::CrimsonFocusGlow() : mSet("src/picture/animation/CrimsonFocus.txt") {}

i32 CrimsonFocusGlow::update() {
  if (at(0)) {
    setCameraOnTargets();
    setCameraScale(1.25f);
    mCharge.gather(getScenePool(), casterPoint(), kFieldOrigin, 180.f);
  }
  if (at(48)) {
    on(mSet.model(0), getFirstTarget());
    playSoundAt(0);
  }
  if (at(80)) {
    mEmission.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

BlazingEdgeBurst::BlazingEdgeBurst() : mSet("src/picture/animation/BlazingEdgeBurst.txt") {}

i32 BlazingEdgeBurst::update() {
  SceneNode* own = mCaster->node();
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.5f);
    addAfterimage(0, 127, 5);
    moveToFirstTarget(0.f, 32, 1.f);
  }
  if (at(32)) {
    setCameraOnTargets();
  }
  if (at(48)) {
    fall(getFirstTarget(), 64, 64.f, 64.f);
    if (own) {
      own->setSpeed(2.f);
    }
    reactions();
  }
  if (every(48, 112, 4)) {
    slash();
  }
  if (at(112)) {
    mParticle.sprayOnTargets(*mAction);
    mExplode.launch(getScenePool(), targetPoint(), 128.f, 0.f);
    start("explode");
  }
  if (at(128)) {
    fall(getFirstTarget(), 16, 0.f, 0.f);
    if (own) {
      own->setSpeed(1.f);
    }
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(144, 161);
}

// Slash k = frame/4 from the caster at a random point of the first target,
// turned half a turn every other slash and 6 degrees more each time.
void BlazingEdgeBurst::slash() {
  const i32 k = frame() / 4;
  const Unit* first = getFirstTarget();
  const float reach = (first ? first->getSize() : Bank::kUnitSize) / 2.f;
  const Vector3 mark = Bank::added(targetPoint(), Bank::scaled(dir(0.f, 360.f, -90.f, 90.f), reach));
  node(mSet.model(0), casterPoint()).scale(mCaster->getScale()).aimAt(mark).rotZ(180.f * fl(k % 2) + 6.f * fl(k));
  if (frame() % 8 == 0) {
    start("main");
  }
  if (frame() % 16 == 0) {
    mParticle.randomJet(getScenePool(), targetPoint());
    stage().flashWhite();
  }
}

}  // namespace Game::Effect
