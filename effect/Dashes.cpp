// Named special attacks in which the caster dashes, leaps or flies about the
// targets, or lifts them.

#include "effect/Dashes.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/bank/Emitter.h"
#include "effect/module/Transport.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kDashSparks = 16;
constexpr Engine::u32 kRedGlare = 0x40FF0000;
constexpr float kDegree = std::numbers::pi_v<float> / 180.f;
}  // namespace

ProwlingPounce::ProwlingPounce() : mSet(kSetFile) { addSound("hit", "hit_s01_c"); }

i32 ProwlingPounce::update() {
  if (at(0)) {
    changeShape();
    placeCorners();
    setCameraOnCaster();
  }
  if (at(32) && mCaster->node()) {
    mCaster->node()->setModel(mSet.model("stand"), true);
  }
  if (at(64)) {
    setCameraOnTargets();
    moveToPoint(mCorners[0], 32.f, 32, true);
  }
  if (at(112)) {
    moveToPoint(mCorners[1], 0.f, 8, true);
  }
  if (at(116)) {
    mShake.launchOnTargets(*mAction);
    sparks(kDashSparks);
    changeShape();
    play("hit", 0);
  }
  if (at(128)) {
    moveToPoint(mCorners[2], 0.f, 8, true);
  }
  if (at(132)) {
    strike();
  }
  if (at(144)) {
    moveToPoint(mCorners[0], 0.f, 8, true);
  }
  if (at(148)) {
    strike();
    node(mSet.model("triangle"), targetPoint());
  }
  if (at(152)) {
    moveHome(64.f, 60);
    faceTargets();
  }
  applyOn(168);
  if (at(200)) {
    mCaster->playStand();
  }
  endFrom(229);
  return frame();
}

// Corner i is (128, 0, 0) turned i·120 degrees about z, read as (side,
// forward) about the targets: the first toward the caster.
void ProwlingPounce::placeCorners() {
  for (i32 i = 0; i < 3; ++i) {
    Vector3 turned;
    MathHelper::rotateByAngles(&turned, Vector3(kCornerReach, 0.f, 0.f), 0.f, 0.f, 120.f * static_cast<float>(i));
    mCorners[static_cast<std::size_t>(i)] = grounded(nearTargets(turned.y, 0.f, turned.x));
  }
}

void ProwlingPounce::changeShape() {
  if (SceneNode* body = mCaster->node()) {
    body->addOverlay(mSet.animation("metamorphose"), 0.f);
  }
  mGlow.launchOn(*mCaster);
}

void ProwlingPounce::strike() {
  sparks(kDashSparks);
  play("hit", 0);
}

PrimevalDeceiver::PrimevalDeceiver() : mSet("src/picture/animation/PrimevalDeceiver.txt") {
  addSound("ready", "tm2_laser002");
  addSound("hit", "hit08");
}

i32 PrimevalDeceiver::update() {
  if (at(0)) {
    Vector3 way;
    getTargetDirection(way);
    for (i32 i = 0; i < 2; ++i) {
      const Vector3 p = nearCaster(128.f * static_cast<float>(i) - 64.f, 0.f, 0.f);
      node(mSet.model(Bank::kMain), p).aimAlong(way);
      node(mSet.model("sphere"), p);
    }
    start("ready");
    setCameraOnCast();
  }
  if (at(24)) {
    reactions();
    moveToFirstTarget(128.f, 32, 0.5f);
  }
  if (at(56)) {
    if (anyHit()) {
      start("hit");
      sparks(kDashSparks);
      mBeat.launchOnTargets(*mAction);
    }
    reactions();
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(80, 113);
}

ChronicleRewrite::ChronicleRewrite() { addSound("hit", "crash21"); }

i32 ChronicleRewrite::update() {
  if (at(0)) {
    mPoints = {grounded(nearTargets(0.f, 0.f, -128.f)), grounded(nearTargets(0.f, 0.f, 128.f)),
               grounded(nearTargets(0.f, 0.f, -160.f))};
    moveToPoint(mPoints[0], 0.f, 32, true);
    setCameraPoint(targetPoint());
  }
  if (at(24) || at(48)) {
    strike(false);
  }
  if (at(32)) {
    moveToPoint(mPoints[1], 0.f, 32, true);
  }
  if (at(64)) {
    moveToPoint(mPoints[2], 0.f, 32, true);
  }
  if (at(72)) {
    strike(true);
  }
  applyOn(104);
  if (at(112)) {
    moveHome(128.f, 30);
  }
  endFrom(137);
  return frame();
}

void ChronicleRewrite::strike(bool lasting) {
  reactions();
  if (!anyHit()) {
    return;
  }
  setCameraOffsetZ(2.f);
  play("hit", 0);
  sparks(kDashSparks);
  mBeat.launchOnTargets(*mAction);
  mShake.launchOnTargets(*mAction);
  fall(getFirstTarget(), lasting ? 32 : 16, lasting ? 164.f : 64.f, 0.f);
}

i32 FeralFangs::update() {
  if (at(0)) {
    setCameraOnCast();
    moveToPoint(grounded(nearTargets(-48.f, 0.f, 64.f)), 32.f, 32, true);
  }
  if (at(16)) {
    start("ready");
  }
  if (at(48)) {
    moveToPoint(grounded(alongPath(0.f, 0.f, -3.f)), 64.f, 48, true);
  }
  if (at(57)) {
    if (const Unit* first = getFirstTarget()) {
      mFang.launch(*first, *mCaster);
    }
  }
  if (at(64)) {
    if (anyHit()) {
      mParticle.sprayOnTargets(*mAction);
      start("hit");
      mPoison.launchOnTargets(*mAction);
      stage().flash(kRedGlare, 4);
    }
    reactions();
  }
  if (at(112)) {
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(128, 161);
}

PartingSeaWave::PartingSeaWave() : mSet("src/picture/animation/PartingSeaWave.txt") { addSound("hit", "crash22_b"); }

i32 PartingSeaWave::update() {
  if (at(16)) {
    Bank::Emitter().dustRingAtFront(*mCaster);
    const Vector3 high = nearTargets(0.f, 3072.f, 64.f);
    const Vector3 landing = grounded(nearTargets(0.f, 0.f, mCaster->getSize() / 4.f));
    mCaster->placeFrontAt(high);
    moveToPoint(landing, 0.f, 64, false);
    stage().flashBlack();
  }
  if (at(48)) {
    setCameraOnTargets();
  }
  if (at(80)) {
    mShock.launchAtFront(*mCaster);
    stage().flashBlack();
    if (anyHit()) {
      start("hit");
      mSplash.sprayOnTargets(*mAction);
      knockBackTargets(casterPoint());
      sparks(kDashSparks);
      partTheWave();
      // Sixteen asks for no line beyond the sixteen never drawn.
      mLines.radiate(getScenePool(), 16);
    }
  }
  if (at(96)) {
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(96, 129);
}

void PartingSeaWave::partTheWave() {
  Vector3 side;
  getSideDirection(side);
  const Vector3 front = frontOf(*mCaster);
  for (i32 i = 0; i < kSteps; ++i) {
    const Vector3 step = Bank::scaled(side, 32.f * static_cast<float>(i));
    Vector3 left = front;
    left -= step;
    node(mSet.model(0), Bank::added(front, step)).delay(2.f * static_cast<float>(i));
    node(mSet.model(0), left).delay(2.f * static_cast<float>(i));
  }
}

GildedCeilingCrush::GildedCeilingCrush() : mSet("src/picture/animation/GildedCeilingCrush.txt") {}

i32 GildedCeilingCrush::update() {
  if (at(0)) {
    moveToPoint(Vector3(mCaster->side() == 1 ? -1024.f : 1024.f, 0.f, 0.f), 128.f, 64, true);
    setCameraPitch(30.f);
    setCameraOnCast();
    start("jump");
  }
  if (at(64)) {
    fetch();
  }
  if (SceneNode* ceiling = mCeiling.get(); ceiling && every(64, 128, 1)) {
    Vector3 overhead;
    mCaster->pointAlong(overhead, Vector3(0.f, 0.f, 1.5f));
    ceiling->position.setValue(overhead);
  }
  if (at(96)) {
    setCameraPitch(15.f);
  }
  if (at(160)) {
    setCameraOnCast();
    bring(mCeiling.get(), 64, aim(), 256.f);
    start("attack");
  }
  if (at(192)) {
    setCameraPitch(30.f);
  }
  if (at(224)) {
    land();
  }
  return applyOnEndFrom(256, 281);
}

void GildedCeilingCrush::fetch() {
  mCeiling = Module::TrackedNode(launchAnimation(mSet.model(0)));
  Vector3 home;
  mCaster->getHomePosition(home);
  moveToPoint(home, 128.f, 64, true);
}

void GildedCeilingCrush::land() {
  mShock.launch(getScenePool(), aim());
  Bank::Emitter().dustRing(getScenePool(), aim(), 384.f);
  mBeat.launchOnTargets(*mAction);
  if (SceneNode* ceiling = mCeiling.get()) {
    ceiling->baseState.setBlendMode(2);
    ceiling->setLifetime(64);
    ceiling->transparency.moveTo(64.f, 0.f);
  }
  start("hit");
  setCameraOffsetZ(16.f);
  reactions();
}

JewelBranchVolley::JewelBranchVolley() : mSet("src/picture/animation/JewelBranchVolley.txt") {
  addSound("shot", "shoot07");
  addSound("hit", "hit32_a");
}

i32 JewelBranchVolley::update() {
  if (at(0)) {
    fall(mCaster, 32, 128.f, 128.f);
  }
  if (every(16, 63, 1)) {
    launchShot(frame() - 16, 0);
    launchShot(frame() - 16, 1);
  }
  if (every(16, 63, 4)) {
    play("shot", 0);
  }
  if (at(32)) {
    fall(mCaster, 64, 0.f, 0.f);
  }
  if (at(40)) {
    if (anyHit()) {
      stage().flashWhite();
      mPrism.launchOnTargets(*mAction);
      mShake.launchOnTargets(*mAction);
    }
    reactions();
  }
  if (at(88) && anyHit()) {
    mSpray.sprayOnTargets(*mAction);
    start("hit");
  }
  return applyOnEndFrom(88, 129);
}

// Shot j of step k: coloured by the hue k·8, it swings out round the first
// target, passes through it at 24 and leaves it turning.
void JewelBranchVolley::launchShot(i32 k, i32 j) {
  const float a = 180.f * static_cast<float>(j) + 33.f * static_cast<float>(k);
  const Vector3 target = targetPoint();
  SceneNode* shot = node(mSet.model(Bank::kMain), casterPoint()).life(48).get();
  Color hue;
  hue.setHue(8.f * static_cast<float>(k));
  shot->setColor(hue);
  auto path = std::make_unique<Module::Transport>(shot, 48, false);
  path->setSpan(Bank::added(target, Bank::scaled(ang(2.f * a, 0.f), 256.f)), 24.f, target, 24.f,
                Bank::scaled(ang(a, 15.f), static_cast<float>(k) / 4.f + 4.f));
  addModule(std::move(path));
}

CelestialShroud::CelestialShroud()
    : mWhite("src/picture/animation/bank/粒子.txt"), mBlue("src/picture/animation/bank/粒子青.txt") {}

i32 CelestialShroud::update() {
  if (at(0)) {
    moveToPoint(grounded(nearCaster(0.f, 0.f, 64.f)), 64.f, 32, false);
    setCameraOnCaster();
  }
  if (at(48)) {
    setCameraOnCast();
    launchRings();
    start("attack");
  }
  if (at(64)) {
    moveHome(64.f, 60);
  }
  if (at(116)) {
    if (anyHit()) {
      stage().toggleScreenEffect();
      mParticle.sprayOnTargets(*mAction);
      mParticleBlue.sprayOnTargets(*mAction);
      start("hit");
      knockBackTargets(casterPoint());
      mCurse.launchOnTargets(*mAction);
    }
    reactions();
  }
  return applyOnEndFrom(128, 161);
}

// Ring i stands at i/32 of the way, its ten motes thrown out across the way
// 36 degrees apart and each ring turned a further 360/32.
void CelestialShroud::launchRings() {
  Vector3 up;
  getUpDirection(up);
  Vector3 side;
  getSideDirection(side);
  const Vector3 from = casterPoint();
  const Vector3 to = targetPoint();
  for (i32 i = 0; i < kRings; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(kRings);
    Model* mote = (i % 2 == 0 ? mWhite : mBlue).model(Bank::kMain);
    Vector3 along;
    MathHelper::lerpVector(&along, t, from, to);
    for (i32 j = 0; j < kPerRing; ++j) {
      const float a = (t * 360.f + 36.f * static_cast<float>(j)) * kDegree;
      SceneNode* node = this->node(mote, along).delay(32.f * t).get();
      node->position.setVelocity(
          Bank::scaled(Bank::added(Bank::scaled(side, std::cos(a)), Bank::scaled(up, std::sin(a))), 16.f));
      node->position.setDampingAll(0.8f);
      node->setSpeed(0.5f);
    }
  }
  SceneNode* light = node(nullptr, from).life(64).get();
  light->setLightIntensity(2.f);
  light->position.moveTo(64.f, to);
}

SpiderThreadLift::SpiderThreadLift() : mSet("src/picture/animation/SpiderThreadLift.txt") {}

i32 SpiderThreadLift::update() {
  if (at(0)) {
    SceneNode* thread = node(mSet.model("string"), casterPoint()).get();
    thread->scale.z.setValue(getTargetDistance() / 256.f);
    thread->aimAt(targetPoint());
    setCameraOnCast();
    start("shot");
  }
  if (at(32)) {
    reactions();
    tieKnots();
    start("attack");
  }
  if (at(64) && anyHit()) {
    fall(getFirstTarget(), 64, 128.f, 0.f);
    spinFirstTarget(kSpin);
  }
  if (at(128)) {
    if (anyHit()) {
      spinFirstTarget(0.f);
      start("hit");
    }
    apply();
  }
  endFrom(145);
  return frame();
}

// Eight knots on the first target's node, four frames apart, at its scale.
void SpiderThreadLift::tieKnots() {
  const Unit* first = getFirstTarget();
  SceneNode* body = first ? first->node() : nullptr;
  if (!body) {
    return;
  }
  for (i32 i = 0; i < kKnots; ++i) {
    SceneNode* knot = node(mSet.model(Bank::kMain), Vector3(0.f, 0.f, 0.f)).get();
    knot->setParent(body, false, true);
    Placed(knot).delay(4.f * static_cast<float>(i)).spinXYZ().scale(first->getScale());
  }
}

void SpiderThreadLift::spinFirstTarget(float velocity) {
  const Unit* first = getFirstTarget();
  if (SceneNode* body = first ? first->node() : nullptr) {
    body->rotation.z.setVelocity(velocity);
  }
}

}  // namespace Game::Effect
