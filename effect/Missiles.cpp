// Missiles, bombs and fire: the micro-missile volley, the bomb, the nuclear
// bomb, the magic missile, the magic napalm, the star strike and the
// flamethrower.

#include "effect/Missiles.h"

#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/Stage.h"
#include "effect/module/Aspect.h"
#include "effect/module/Bring.h"
#include "effect/module/Transport.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

const Vector3 kMissileStill(0.f, 0.f, 0.f);

RandomGenerator& randomSource() { return *RandomGenerator::instance(); }

}  // namespace

MicroMissile::MicroMissile() : mSet("src/picture/animation/マイクロミサイル.txt") {}

i32 MicroMissile::update() {
  if (frame() == 0) {
    faceTargets();
    setCameraOnCast();
  }
  if (frame() == 90) {
    setCameraOnTargets();
    setCameraPitch(30.f);
  }
  if (frame() == 130) {
    mEmission.launchOnTargets(*mAction);
    flashHitTargets();
  }
  applyOn(kApplyFrame);
  endFrom(kEndFrame);
  if (frame() >= kFirstFireFrame && frame() <= kLastFireFrame) {
    if (frame() % 2 == 0) {
      fire();
    }
    if (frame() % kSoundStep == 0) {
      playSound("main");
    }
  }
  burstLanded();
  mMissiles.ageAll();
  return frame();
}

// A missile leaves the caster from rest, thrown up by its first pull, and
// lands within 128 of the target centre, on the ground, 90 frames later.
void MicroMissile::fire() {
  constexpr float kScatter = 128.f;
  constexpr float kPullSpread = 0.1f;
  constexpr float kPullUp = 0.4f;
  Vector3 landing;
  randomSource().getSpatialVector(&landing, kScatter);
  landing += targetCentre();
  landing.z = 0.f;
  Vector3 pull;
  randomSource().getSpatialVector(&pull, kPullSpread);
  pull.z += kPullUp;
  SceneNode* missile = launchFromCaster(mSet.model(0));
  auto flight = std::make_unique<Module::Transport>(missile, kFlightFrames, true);
  flight->setSpanVelocityAccel(landing, 0.f, kMissileStill, 0.f, pull);
  addModule(std::move(flight));
  mMissiles.add(missile);
}

void MicroMissile::burstLanded() {
  constexpr float kBurstSize = 64.f;
  for (i32 i = 0; i < mMissiles.count();) {
    if (mMissiles.age(i) < kFlightFrames) {
      ++i;
      continue;
    }
    if (SceneNode* missile = mMissiles.node(i)) {
      missile->updateWorld();
      mBurst.launch(getScenePool(), *missile->worldPosition(), kBurstSize, 0.f);
    }
    mMissiles.remove(i);
    if (frame() % kSoundStep == 0) {
      playSound("hit");
    }
  }
}

Bomb::Bomb() : mSet("src/picture/animation/爆弾.txt") {}

i32 Bomb::update() {
  constexpr float kArc = 192.f;
  constexpr float kGlowSize = 128.f;
  if (frame() == 0) {
    setCameraPitch(30.f);
    setCameraOnCaster();
  }
  if (frame() == 16) {
    SceneNode* bomb = launchFromCaster(mSet.model(0));
    addModule(std::make_unique<Module::Bring>(bomb, 64, aimPoint(), kArc));
    setCameraFollow(bomb);
    mBomb = Module::TrackedNode(bomb);
    playSoundAt(0);
  }
  if (frame() == 40) {
    if (SceneNode* bomb = mBomb.get()) {
      mGlow.launchOnNode(*bomb, kGlowSize);
    }
  }
  if (frame() == 80) {
    stage().flashWhite();
    setCameraOnTargets();
    mBlast.launch(getScenePool(), aimPoint());
    mEmission.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

NuclearBomb::NuclearBomb() : mSet("src/picture/animation/核爆弾.txt") {}

i32 NuclearBomb::update() {
  constexpr float kGlowSize = 256.f;
  constexpr i32 kShudderFrames = 120;
  constexpr float kShudder = 0.6f;
  constexpr float kShudderPeriod = 6.f;
  if (frame() == 0) {
    launchAnimation(mSet.model("bomb"));
    setCameraPitch(30.f);
  }
  if (frame() == 32) {
    mCaster->playDown();
  }
  if (frame() == 80) {
    mGlow.launchAt(getScenePool(), kMissileStill, kGlowSize);
  }
  if (frame() == 96) {
    stage().flashWhite();
    raiseCloud();
  }
  if (frame() == 144) {
    addModule(std::make_unique<Module::Aspect>(stage(), kShudderFrames, kShudder, kShudderPeriod));
    flashHitTargets();
  }
  if (frame() == 160) {
    playSoundAt(0);
  }
  if (frame() == 200) {
    flashHitTargets();
    mCinders.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// Layer k (1 to 15) is 0.2·k²/16 wide and starts 5·k frames late.
void NuclearBomb::raiseCloud() {
  constexpr float kWidth = 0.2f / 16.f;
  constexpr i32 kLayerSpacing = 5;
  for (i32 k = 1; k <= kClouds; ++k) {
    SceneNode* layer = launchAnimation(mSet.model(0));
    const float width = kWidth * static_cast<float>(k * k);
    layer->scale.setValue(width, width, 1.f);
    layer->setTime(-static_cast<float>(kLayerSpacing * k));
  }
}

MagicMissile::MagicMissile() : mSet("src/picture/animation/マジックミサイル.txt") {}

i32 MagicMissile::update() {
  if (frame() == 16) {
    const Vector3 target = firstTargetPosition();
    SceneNode* bolt = launchFromCaster(mSet.model(0));
    bolt->aimAt(target);
    bolt->position.accelerateTo(32.f, target);
    setCameraOnCast();
    playSoundAt(0);
  }
  if (frame() == 48) {
    if (isAnyTargetHit()) {
      mFlash.launchOnTargets(*mAction);
      startSound("hit");
    }
    if (const Unit* target = getFirstTarget()) {
      mBlast.launch(getScenePool(), firstTargetPosition(), target->getSize());
    }
    flashHitTargets();
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

MagicNapalm::MagicNapalm() : mSet("src/picture/animation/マジックナパーム.txt") {}

i32 MagicNapalm::update() {
  constexpr float kScatterRadius = 256.f;
  if (frame() == 16) {
    setCameraPitch(30.f);
    launchFireball();
    setCameraOnCast();
    playSoundAt(0);
  }
  if (frame() == 80) {
    flashHitTargets();
    mFlash.launchOnTargets(*mAction);
    mScatter.scatter(getScenePool(), aimPoint(), kScatterRadius);
    playSoundAt(1);
  }
  if (frame() == 96) {
    mBlast.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// A bare carrier narrowing as it flies, passing on its 32nd frame the
// middle of caster and aim point moved 128 along every axis, leaving the
// trail of model 0.
void MagicNapalm::launchFireball() {
  constexpr float kNarrow = 0.5f;
  constexpr float kPassFrame = 32.f;
  constexpr float kLift = 128.f;
  SceneNode* ball = launchFromCaster(nullptr);
  ball->scale.x.moveTo(static_cast<float>(kFlightFrames), kNarrow);
  ball->scale.y.moveTo(static_cast<float>(kFlightFrames), kNarrow);
  ball->setLifetime(kFlightFrames);
  Vector3 pass = casterPosition();
  pass += aimPoint();
  pass *= 0.5f;
  pass += Vector3(kLift, kLift, kLift);
  auto flight = std::make_unique<Module::Transport>(ball, kFlightFrames, true);
  flight->setSpanValue(aimPoint(), kPassFrame, pass);
  flight->mTrail = mSet.model(0);
  addModule(std::move(flight));
}

StarStrike::StarStrike() : mSet("src/picture/animation/スターストライク.txt") {}

i32 StarStrike::update() {
  constexpr float kDropHeight = 1000.f;
  constexpr i32 kLines = 32;
  constexpr float kHeatSize = 256.f;
  constexpr i32 kHeatFrames = 128;
  constexpr float kShake = 16.f;
  if (frame() == 0) {
    SceneNode* star = launchAnimation(mSet.model(0));
    star->position.setValue(0.f, 0.f, kDropHeight);
    auto fall = std::make_unique<Module::Transport>(star, 64, false);
    fall->setSpanVelocity(aimPoint(), 0.f, kMissileStill);
    addModule(std::move(fall));
    setCameraFollow(star);
    mLines.scatter(getScenePool(), -90.f, kLines);
    playSoundAt(0);
  }
  if (frame() == 32) {
    setCameraOnTargets();
    mLines.scatter(getScenePool(), 90.f, kLines);
  }
  if (frame() == 64) {
    flashHitTargets();
    mWave.launch(getScenePool(), aimPoint());
    mHeat.launch(getScenePool(), aimPoint(), kHeatSize, kHeatFrames);
    setCameraOffsetZ(kShake);
    startSound("hit");
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

Flamethrower::Flamethrower() : mSet("src/picture/animation/火炎放射.txt") {}

i32 Flamethrower::update() {
  if (frame() >= 1 && frame() <= 63) {
    throwFlame();
    if (frame() % 8 == 0) {
      playSound("main");
    }
  }
  if (frame() == 32) {
    setCameraOnCast();
  }
  if (frame() == 64) {
    mEmission.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// A flame tumbling to up to 64 off the aim point, flat, in 32 frames.
void Flamethrower::throwFlame() {
  constexpr float kSpread = 64.f;
  constexpr i32 kFlameFrames = 32;
  SceneNode* flame = launchFromCaster(mSet.model(0));
  Vector3 end;
  randomSource().getFlatVector(&end, kSpread);
  end += aimPoint();
  addModule(std::make_unique<Module::Bring>(flame, kFlameFrames, end, 0.f));
  flame->randomizeRotation(true, true, true);
}

}  // namespace Game::Effect
