// Named special arts that rain many nodes on the targets or whirl them on
// a point.

#include "effect/Rains.h"

#include <memory>

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
constexpr u32 kHalfWhite = 0x80FFFFFFu;
constexpr u32 kShardRed = 0x40FF2000u;
}  // namespace

ShaftVolley::ShaftVolley() : mSet("src/picture/animation/ShaftVolley.txt") {
  addSound("flash", "crash17");
  addSound("shot", "shoot21");
  addSound("hit", "hit02");
}

// Arrow i lands (50 − i)·4 along the way from the targets, two a frame,
// each with its ripple 32 frames after it starts.
void ShaftVolley::rainArrows() {
  const Vector3 caster = casterPoint();
  for (i32 i = 0; i < kArrows; ++i) {
    const float x = RandomGenerator::instance()->getSignedFloat(192.f);
    const Vector3 p = grounded(nearTargets(x, 0.f, 4.f * static_cast<float>(50 - i)));
    const float wait = static_cast<float>(i) / 2.f;
    SceneNode* arrow = node(mSet.model("rain"), p).delay(wait).get();
    arrow->faceToward(caster);
    Placed(mRipple.launch(getScenePool(), p, 64.f)).delay(wait + 32.f);
  }
  for (i32 i = 0; i < 16; ++i) {
    play("hit", 32 + 3 * i);
  }
}

i32 ShaftVolley::update() {
  if (at(0)) {
    setCameraOnCast();
  }
  if (at(16)) {
    node(mSet.model("shot"), casterPoint()).get()->faceToward(aim());
    start("shot");
  }
  if (at(48)) {
    stage().flash(kHalfWhite, 12);
    setCameraPitch(30.f);
    start("flash");
    rainArrows();
  }
  if (at(80) || at(104) || at(128)) {
    sparks(16);
  }
  if (at(80)) {
    reactions();
  }
  return applyOnEndFrom(144, 177);
}

VioletGlassOmen::VioletGlassOmen() : mSet("src/picture/animation/VioletGlassOmen.txt") {}

// Without a target the shards drop on the aim point at scale 1.
void VioletGlassOmen::dropShards() {
  const Unit* first = getFirstTarget();
  const float s = first ? first->getScale() : 1.f;
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kShards; ++i) {
    Placed shard = node(mSet.model(0), Bank::added(target, Vector3(0.f, 0.f, 128.f)));
    shard.spinXYZ();
    shard.get()->scale.setValue(s, s, s + rnd(0.5f));
    shard.delay(static_cast<float>(i));
    after(bring(shard.get(), 64, target, 0.f), i);
  }
}

i32 VioletGlassOmen::update() {
  if (at(0)) {
    start("ready");
    dropShards();
    setCameraOnTargets();
    setCameraScale(1.5f);
  }
  if (at(96)) {
    start("attack");
  }
  if (at(112)) {
    reactions();
    if (anyHit()) {
      stage().flash(kShardRed, 16);
      mBlood.splatterTargets(*mAction);
      start("hit");
      sparks(16);
    }
  }
  return applyOnEndFrom(128, 145);
}

DrowningSwirl::DrowningSwirl() : mSet("src/picture/animation/DrowningSwirl.txt") { addSound("attack", "mizu03"); }

i32 DrowningSwirl::update() {
  if (at(0)) {
    for (i32 i = 0; i < kNodes; ++i) {
      const Vector3 p = Bank::added(aim(), Bank::scaled(ang(45.f * static_cast<float>(i), 0.f), 16.f));
      node(mSet.model(Bank::kMain), p).delay(4.f * static_cast<float>(i)).spinZ();
    }
    setCameraPitch(30.f);
    setCameraOnCast();
    playRow("attack", 3, 24);
  }
  if (frame() < 96 && frame() % 32 == 31) {
    stage().flash(kHalfWhite, 4);
  }
  if (at(32)) {
    reactions();
    mSplash.splashOnTargets(*mAction);
    for (i32 i = 0; i < 8; ++i) {
      mWave.spawnOnTargets(*mAction, static_cast<float>(12 * i));
    }
    mShake.launchOnTargets(*mAction);
  }
  if (at(128)) {
    sparks(16);
    apply();
  }
  endFrom(161);
  return frame();
}

FlawedHelixSpiral::FlawedHelixSpiral() : mSet("src/picture/animation/FlawedHelixSpiral.txt") {}

void FlawedHelixSpiral::sprayBoth() {
  mParticle.sprayOnTargets(*mAction);
  mParticleBlue.sprayOnTargets(*mAction);
}

i32 FlawedHelixSpiral::update() {
  if (at(0)) {
    setCameraOnCast();
    Vector3 way;
    getTargetDirection(way);
    const Vector3 caster = casterPoint();
    for (i32 i = 0; i < kPieces; ++i) {
      const float fi = static_cast<float>(i);
      node(mSet.model(0), Bank::added(caster, Bank::scaled(way, 12.f * fi))).aimAlong(way).delay(fi / 2.f);
    }
    playRow("attack", 4, 8);
  }
  if (at(64) && anyHit()) {
    mPakapaka.launchOnTargets(*mAction);
    sprayBoth();
  }
  if (at(96)) {
    if (const Unit* first = getFirstTarget()) {
      mGlow.launchOn(*first);
    }
  }
  if (at(128)) {
    if (anyHit()) {
      stage().toggleScreenEffect();
      sprayBoth();
      start("hit");
      knockBackTargets(casterPoint());
    }
    reactions();
  }
  return applyOnEndFrom(144, 173);
}

BuriedEmberTrap::BuriedEmberTrap() : mSet("src/picture/animation/BuriedEmberTrap.txt") {
  addSound("shot", "shoot07");
  addSound("explode", "bom03");
}

// Ember i leaves 2·i frames late: up past a point 192 out from the first
// target on frame 32 of its flight, past one 128 out from the caster on
// 64, down where it bursts on 96.
void BuriedEmberTrap::throwEmbers() {
  const Vector3 caster = casterPoint();
  const Vector3 target = targetPoint();
  for (i32 i = 0; i < kEmbers; ++i) {
    const i32 t = 2 * i;
    SceneNode* ember = node(mSet.model(0), caster).spinZ().get();
    const Vector3 end = grounded(Bank::added(target, flat(128.f)));
    const Vector3 high = Bank::added(target, Bank::scaled(dir(0.f, 360.f, 30.f, 90.f), 192.f));
    const Vector3 back = Bank::added(caster, Bank::scaled(dir(0.f, 360.f, 30.f, 90.f), 128.f));
    auto path = std::make_unique<Module::Transport>(ember, kFlight, true);
    path->setSpanValueValue(end, 32.f, high, 64.f, back);
    after(addModule(std::move(path)), t);
    Placed(ember).delay(static_cast<float>(t));
    mExplode.launch(getScenePool(), end, 64.f, static_cast<float>(t + kFlight));
  }
}

i32 BuriedEmberTrap::update() {
  if (at(0)) {
    start("shot");
    throwEmbers();
  }
  if (at(32)) {
    setCameraOnCast();
  }
  if (at(96)) {
    reactions();
    mPakapaka.launchOnTargets(*mAction);
    playRow("explode", 4, 16);
  }
  return applyOnEndFrom(128, 161);
}

PlagueFogCloud::PlagueFogCloud() : mSet("src/picture/animation/PlagueFogCloud.txt") { addSound("attack", "pyoro06"); }

i32 PlagueFogCloud::update() {
  if (at(0)) {
    const Vector3 target = targetPoint();
    for (i32 i = 0; i < kClouds; ++i) {
      node(mSet.model(Bank::kMain), target).spinXYZ();
    }
    setCameraOnCast();
    playRow("attack", 4, 4);
  }
  if (at(48)) {
    mPoison.launchOnTargets(*mAction);
    reactions();
  }
  return applyOnEndFrom(96, 129);
}

}  // namespace Game::Effect
