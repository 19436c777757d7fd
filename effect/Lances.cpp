// Named special attacks that throw lances, chains, darts and cries.

#include "effect/Lances.h"

#include <cmath>
#include <memory>

#include "core/math/MathHelper.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Launch.h"
#include "effect/module/Move.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {
constexpr i32 kLanceSparks = 16;
// The unit pictures' height before their scale.
constexpr float kPictureHeight = 256.f;
constexpr i32 kDollLife = 60;
constexpr const char* kFamiliarNames[2] = {"Isbeth", "Tavri"};
constexpr const char* kSpinNames[2] = {"Isbeth回転", "Tavri回転"};
}  // namespace

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
      sparks(kLanceSparks);
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
      sparks(kLanceSparks);
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
    sparks(kLanceSparks);
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
      sparks(kLanceSparks);
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

}  // namespace Game::Effect
