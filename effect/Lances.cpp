// Named special attacks that throw lances, beams and flames.

#include "effect/Lances.h"

#include <cmath>
#include <memory>

#include "Engine/Math/Functions.h"
#include "core/math/MathHelper.h"
#include "data/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Launch.h"
#include "effect/module/Move.h"
#include "effect/module/Transport.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "resource/Database.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kSparks = 16;
// The unit pictures' height before their scale.
constexpr float kPictureHeight = 256.f;
constexpr i32 kDollLife = 60;
constexpr const char* kFamiliarNames[2] = {"Isbeth", "Tavri"};
constexpr const char* kSpinNames[2] = {"Isbeth回転", "Tavri回転"};
}  // namespace

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

void KeptNode::keep(SceneNode* node) {
  mNode = node;
  mId = node ? node->getId() : 0;
}

SceneNode* KeptNode::get() const { return mNode && mNode->isActive() && mNode->getId() == mId ? mNode : nullptr; }

TwinRingWhirl::TwinRingWhirl() : mSet("src/picture/animation/TwinRingWhirl.txt") {}

i32 TwinRingWhirl::update() {
  if (at(0)) {
    sendOut();
    start("ready");
    setCameraOnCast();
  }
  if (at(32)) {
    for (int i = 0; i < 2; ++i) {
      if (SceneNode* familiar = mFamiliars[i].get()) {
        familiar->setModel(mSet.model(kSpinNames[i]), true);
      }
    }
    setCameraOnTargets();
  }
  if (at(64)) {
    crossOver();
  }
  if (at(72)) {
    if (anyHit()) {
      start("hit");
      sparks(kSparks);
      mSlash.launchOnTargets(*mAction);
    }
    reactions();
  }
  return applyOnEndFrom(96, 129);
}

// Each familiar leaves the caster facing the first target for its side of
// the path.
void TwinRingWhirl::sendOut() {
  const Vector3 target = targetPoint();
  for (int i = 0; i < 2; ++i) {
    const float side = i == 0 ? -64.f : 64.f;
    Placed familiar = node(mSet.model(kFamiliarNames[i]), casterPoint()).aimAt(target);
    mFamiliars[i].keep(familiar.get());
    bring(familiar.get(), 32, alongPath(side, 0.f, -0.5f), 128.f);
  }
}

// Each familiar crosses to the other side in 16 frames and ends there; a
// streak stretches from it to where it goes.
void TwinRingWhirl::crossOver() {
  for (int i = 0; i < 2; ++i) {
    SceneNode* familiar = mFamiliars[i].get();
    if (!familiar) {
      continue;
    }
    const Vector3 end = alongPath(i == 0 ? 64.f : -64.f, 0.f, -1.5f);
    const Vector3 from = familiar->position.value();
    familiar->setLifetime(16);
    bring(familiar, 16, end, 0.f);
    Vector3 span;
    span.setSub(end, from);
    if (SceneNode* streak = node(mSet.model("main"), from).aimAt(end).get()) {
      streak->scale.x.setValue(span.length());
    }
  }
}

ForeseeingFiend::ForeseeingFiend() : mSet("src/picture/animation/ForeseeingFiend.txt") { addSound("hit", "byoro06"); }

i32 ForeseeingFiend::update() {
  if (at(0)) {
    setCameraOnCast();
    const Vector3 target = targetPoint();
    for (i32 i = 0; i < 16; ++i) {
      node(mSet.model(0), target).delay(2.f * i).aimAlong(dir(0.f, 360.f, -20.f, 90.f)).spinZ();
      if (i % 3 == 0) {
        play("hit", 2 * i + 32);
      }
    }
  }
  if (at(40)) {
    reactions();
    mCurse.launchOnTargets(*mAction);
    mShake.launchOnTargets(*mAction);
    mExplode.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(52, 65);
}

LuringBaitStrike::LuringBaitStrike() : mSet("src/picture/animation/LuringBaitStrike.txt") {
  addSound("ready", "mecha09");
  addSound("hit", "hit53");
}

i32 LuringBaitStrike::update() {
  if (at(0)) {
    setCameraOnCast();
    setCameraYawBySide(30.f);
    start("ready");
    scatter();
  }
  if (at(56)) {
    if (anyHit()) {
      stage().flashWhite();
      sparks(kSparks);
      launchHitMarks();
      mShake.launchOnTargets(*mAction);
      mBeat.launchOnTargets(*mAction);
      start("hit");
    }
    reactions();
  }
  applyOn(80);
  endOn(kEnd);
  return frame();
}

// Eight sights within 128 above the first target, each with a dart that
// sets off toward it 32 frames in.
void LuringBaitStrike::scatter() {
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < 8; ++i) {
    Vector3 sight = dir(0.f, 360.f, 15.f, 90.f);
    sight *= rnd(128.f);
    sight += target;
    node(mSet.model("sight"), sight).delay(2.f * i).life(64 - 2 * i);
    node(mSet.model("main"), target).delay(32.f).aimAt(sight).spinZ();
  }
}

i32 MarchingHordeRush::update() {
  if (at(0)) {
    setCameraPitch(5.f);
  }
  if (at(32)) {
    march();
  }
  if (at(64)) {
    setCameraOnCast();
  }
  if (at(96)) {
    mEmission.launchOnTargets(*mAction);
    if (anyHit()) {
      for (i32 d = 0; d < 64; d += 16) {
        mExplode.burstOnTargets(*mAction, static_cast<float>(d));
      }
      playRow("main", 8, 8);
    }
  }
  if (every(96, 159, 16) && anyHit()) {
    stage().flash(0x80FFFF00, 4);
  }
  return applyOnEndFrom(160, 193);
}

// Eight dolls a target walk from the caster's front to the target's, eight
// more run off from there 256 away; both ends raised by a quarter of the
// doll picture's height.
void MarchingHordeRush::march() {
  UnitPictureData* doll = Database::instance() ? Database::instance()->findUnitPicture("Mimbrelle") : nullptr;
  if (!doll) {
    return;
  }
  Model* stand = doll->standMotion();
  const float lift = kPictureHeight * doll->scale() / 4.f;
  Vector3 from = frontOf(*mCaster);
  from.z += lift;
  for (i32 t = 0; t < mAction->targetCount(); ++t) {
    Vector3 to = frontOf(mAction->target(t));
    to.z += lift;
    for (i32 i = 0; i < 8; ++i) {
      Placed coming = node(stand, from).delay(8.f * i).life(kDollLife).scale(0.5f).aimAt(to);
      after(bring(coming.get(), kDollLife, to, 0.f), 8 * i);
      Vector3 away = dir(0.f, 360.f, 0.f, 0.f);
      away *= 256.f;
      away += to;
      Placed going = node(stand, to).delay(8.f * i + kDollLife).life(kDollLife).scale(0.5f).aimAt(away);
      after(bring(going.get(), kDollLife, away, 64.f), 8 * i + kDollLife);
    }
  }
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

AgelessDuskFangs::AgelessDuskFangs() : mSet("src/picture/animation/AgelessDuskFangs.txt") {
  addSound("main", "swing41");
}

i32 AgelessDuskFangs::update() {
  if (at(0)) {
    on(mSet.model(0), getFirstTarget());
    setCameraOnCaster();
    setCameraScale(1.25f);
    start("main");
  }
  if (at(32)) {
    mEmission.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

float CentreLineSpecial::targetSide() const { return mAction ? static_cast<float>(mAction->targetCell().side) : 0.f; }

Module::Module* CentreLineSpecial::moveToCentreLine(float height, i32 frames) {
  return addModule(std::make_unique<Module::Move>(*mCaster, *mAction, height, frames));
}

CrimsonLanceThrow::CrimsonLanceThrow() : mSet("src/picture/animation/CrimsonLanceThrow.txt") {
  addSound("ready", "swing37_b");
  addSound("hit", "crash22_a");
  addSound("shot", "gun16");
}

i32 CrimsonLanceThrow::update() {
  if (at(0)) {
    moveToCentreLine(64.f, 32);
    setCameraOnCaster();
  }
  if (at(kReady)) {
    ready();
  }
  if (at(144)) {
    setCameraOnCast();
  }
  if (at(kLand)) {
    land();
  }
  applyOn(192);
  if (at(192)) {
    moveHome(64.f, 60);
  }
  endFrom(209);
  return frame();
}

// The lance held over the caster, turned to the targets' side; the ready
// sound quickening as the throw winds up.
void CrimsonLanceThrow::ready() {
  mCaster->faceToward(aim());
  Vector3 grip;
  mCaster->pointAlong(grip, Vector3(0.f, 1.f, 0.f));
  node(mSet.model("main"), grip).rotZ(targetSide() * 180.f);
  for (i32 i = 0; i < 8; ++i) {
    play("ready", static_cast<i32>(std::sqrt(600.f * static_cast<float>(i))));
  }
}

// Rings from every target back to the caster, a ring and a sideways jet
// at the caster toward the targets' side, the flash and the shake.
void CrimsonLanceThrow::land() {
  const Vector3 caster = casterPoint();
  for (i32 t = 0; t < mAction->targetCount(); ++t) {
    Vector3 target;
    mAction->target(t).getPosition(target);
    mRings.ring(getScenePool(), target, caster);
    mRings.ring(getScenePool(), target, caster);
  }
  const float side = targetSide();
  if (SceneNode* ring = mRing.launch(getScenePool(), caster)) {
    ring->rotation.y.setValue((2.f * side - 1.f) * -90.f);
  }
  mEmission.launchOnTargets(*mAction);
  reactions();
  Bank::BurstShape jet;
  jet.count = 32;
  jet.speedMax = 48.f;
  jet.damping = 0.9f;
  jet.tiltY = (1.f - 2.f * side) * 90.f;
  jet.pitchMin = 90.f;
  jet.pitchMax = 90.f;
  mJet.burst(getScenePool(), 1.f, caster, jet);
  start("hit");
  start("shot");
  mShock.launchAtFront(*mCaster);
  stage().flashWhite();
  setCameraOffsetZ(2.f);
}

BindingChainLash::BindingChainLash() : mSet("src/picture/animation/BindingChainLash.txt") {
  addSound("main", "chari14_b");
}

i32 BindingChainLash::update() {
  if (at(0)) {
    const Vector3 target = targetPoint();
    for (i32 c = 0; c < kChains; ++c) {
      shootChain(c, target);
    }
    setCameraOnCast();
  }
  if (at(24) || at(32) || at(40) || at(48) || at(56)) {
    stage().toggleScreenEffect();
  }
  if (at(24)) {
    reactions();
    sparks(kSparks);
  }
  if (at(56)) {
    mShake.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

// Chain c comes in at yaw 72·c, slanting down onto the target: its links
// fly 512 along the chain's line into their places 32 apart, the head
// (link 0) leading and the fifth link at the base point.
void BindingChainLash::shootChain(i32 c, const Vector3& target) {
  const float yaw = 72.f * static_cast<float>(c);
  Vector3 base;
  MathHelper::rotateByAngles(&base, Vector3(32.f, 0.f, 48.f), 0.f, 0.f, yaw);
  base += target;
  Vector3 slant(0.f, -0.75f, -1.f);
  slant.normalize();
  Vector3 along;
  MathHelper::rotateByAngles(&along, slant, 0.f, 0.f, yaw);
  for (i32 j = 0; j < kLinks; ++j) {
    Vector3 place = along;
    place *= -32.f * static_cast<float>(j - 4);
    place += base;
    Vector3 start = along;
    start *= -512.f;
    start += place;
    Placed link = node(mSet.model(j == 0 ? "main" : "chain"), start).rotZ(90.f * static_cast<float>(j)).aimAlong(along);
    after(bring(link.get(), 16, place, 0.f), 8 * c);
    play("main", 8 * c);
  }
}

namespace {
constexpr const char* kPrismSet = "src/picture/animation/GreatPrismBeam.txt";
// The beams flash white every 24 frames while they burn.
bool beamFlashes(i32 frame) { return frame >= 64 && frame <= 143 && frame % 24 == 0; }
}  // namespace

FallingPrismBeam::FallingPrismBeam() : mSet(kPrismSet) {
  addSound("shot", "GreatPrismBeam");
  addSound("jump", "shoot20");
}

i32 FallingPrismBeam::update() {
  if (at(0)) {
    fall(mCaster, 48, 256.f, 192.f);
    start("jump");
  }
  if (at(24)) {
    setCameraOnCaster();
  }
  if (at(64)) {
    fire();
  }
  if (beamFlashes(frame())) {
    stage().flashWhite();
  }
  if (at(72)) {
    reactions();
  }
  if (at(144)) {
    apply();
    mPrism.sprayOnTargets(*mAction);
    mCinders.launchOnTargets(*mAction);
    moveHome(64.f, 60);
  }
  endOn(kEnd);
  return frame();
}

// The beam from high over the caster down onto the first target (the aim
// point without one), a shock wave where it lands.
void FallingPrismBeam::fire() {
  const Vector3 target = targetPoint();
  node(mSet.model("main"), casterPoint()).aimAt(target);
  if (const Unit* first = getFirstTarget()) {
    mShock.launchAtFront(*first);
  } else {
    mShock.launch(getScenePool(), target);
  }
  start("shot");
  setCameraPitch(30.f);
  setCameraOnTargets();
}

GreatPrismBeam::GreatPrismBeam() : mSet(kPrismSet) {}

i32 GreatPrismBeam::update() {
  if (at(0)) {
    moveToCentreLine(64.f, 32);
    setCameraOnCaster();
  }
  if (at(32)) {
    setCameraOnCast();
    setCameraPitch(30.f);
  }
  if (at(64)) {
    fire();
  }
  if (beamFlashes(frame())) {
    stage().flashWhite();
  }
  if (at(72)) {
    mJolt.launchOnTargets(*mAction);
    reactions();
  }
  if (at(144)) {
    reactions();
    knockBackTargets(casterPoint());
    mPrism.sprayOnTargets(*mAction);
    mCinders.launchOnTargets(*mAction);
    moveHome(64.f, 60);
  }
  return applyOnEndFrom(160, 193);
}

// The beam held level over the caster, turned to the targeted side.
void GreatPrismBeam::fire() {
  mCaster->faceToward(aim());
  Vector3 grip;
  mCaster->pointAlong(grip, Vector3(0.f, 1.f, 0.f));
  if (SceneNode* beam = node(mSet.model("main"), grip).get()) {
    beam->rotation.setValue(0.f, (2.f * targetSide() - 1.f) * -90.f, 0.f);
  }
  setCameraOnTargets();
  mShock.launchAtFront(*mCaster);
  getScenePool().createLightPacked(2.f, 128, casterPoint(), 0xFFFFFFFF);
  playSoundAt(0);
}

OrbitingStarlets::OrbitingStarlets() : mSet("src/picture/animation/OrbitingStarlets.txt") {
  addSound("ready", "swing22");
  addSound("shot", "gun10");
}

i32 OrbitingStarlets::update() {
  if (at(0)) {
    const Vector3 caster = casterPoint();
    const Vector3 target = targetPoint();
    for (i32 i = 0; i < 4; ++i) {
      const float turn = 90.f * static_cast<float>(i);
      Color hue;
      hue.setHue(turn);
      if (SceneNode* orb = node(mSet.model("main"), caster).rotZ(turn + 45.f).get()) {
        orb->setColor(hue);
      }
      Vector3 from = ang(turn + 45.f, 0.f);
      from *= 128.f;
      from += caster;
      from.z += 32.f;
      Placed(mBeam.launch(getScenePool(), from, target)).delay(48.f);
    }
    setCameraOnCaster();
    start("ready");
  }
  if (at(32)) {
    setCameraOnCast();
  }
  if (at(48)) {
    start("shot");
  }
  if (at(64)) {
    mStar.sprayOnTargets(*mAction);
    sparks(kSparks);
    reactions();
  }
  return applyOnEndFrom(96, 129);
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
// The first target's front point; the aim point without one.
Vector3 frontOrAim(const Unit* target, const Vector3& aim) {
  if (!target) {
    return aim;
  }
  Vector3 out;
  target->getFrontPoint(out);
  return out;
}
}  // namespace

WailingPulse::WailingPulse() : mSet("src/picture/animation/WailingPulse.txt") {
  addSound("ready", "swing19_a");
  addSound("shot", "mecha07");
  addSound("hit", "hit_s01_b");
}

i32 WailingPulse::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.25f);
    charge();
    start("ready");
  }
  if (at(64)) {
    setCameraOnCast();
    setCameraScale(1.f);
    send();
    start("shot");
  }
  if (at(80)) {
    reactions();
    if (anyHit()) {
      if (const Unit* first = getFirstTarget()) {
        mSlash.launchAt(*first);
      }
      sparks(kSparks);
      start("hit");
    }
  }
  return applyOnEndFrom(96, 129);
}

// Four growing rings before the caster, turned 15 degrees apart, every
// second one mirrored.
void WailingPulse::charge() {
  const Vector3 mouth = frontOf(*mCaster);
  for (i32 i = 0; i < 4; ++i) {
    const float size = 1.f + 0.2f * static_cast<float>(i);
    SceneNode* ring = node(mSet.model("charge"), mouth).rotZ(-15.f * static_cast<float>(i)).delay(8.f * i).get();
    if (ring) {
      ring->scale.setValue(i % 2 == 1 ? -size : size, size, size);
    }
  }
}

// A carrier without a model crosses to the first target's front in 16
// frames, dropping a wave every 2 frames.
void WailingPulse::send() {
  const Vector3 to = frontOrAim(getFirstTarget(), aim());
  SceneNode* carrier = node(nullptr, frontOf(*mCaster)).aimAt(to).life(64).get();
  if (!carrier) {
    return;
  }
  carrier->position.moveTo(16.f, to);
  addModule(std::make_unique<Module::Launch>(carrier, mSet.model("main"), 2));
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

ElementalCrystalRing::ElementalCrystalRing() : mSet("src/picture/animation/ElementalCrystalRing.txt") {}

i32 ElementalCrystalRing::update() {
  if (at(0)) {
    setCameraOnCaster();
    setCameraScale(1.5f);
  }
  if (at(32)) {
    mCross.launchOn(*mCaster);
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < 5; ++i) {
      const float turn = 72.f * static_cast<float>(i);
      Color hue;
      hue.setHue(turn);
      if (SceneNode* crystal = node(mSet.model("main"), caster).rotZ(turn).get()) {
        crystal->setColor(hue);
      }
      play("main", 20 * i);
    }
  }
  return applyOnEndFrom(80, 97);
}

}  // namespace Game::Effect
