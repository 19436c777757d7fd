// Blasts from above and weather: fire, lightning, sunlight, blizzard, winds,
// quake, rain and the oscillating wave.

#include "effect/Weather.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "effect/bank/Piece.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

Flare::Flare() : mSet("src/picture/animation/焦熱.txt") {}

i32 Flare::update() {
  if (frame() == 0) {
    place(mSet.model(0), kOrigin);
    setCameraOnCast();
    playSoundAt(0);
  }
  if (frame() == 32) {
    mGlow.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

// The bolt's pool and point are all it takes: no size is given to it.
i32 Lightning::update() {
  constexpr float kShake = 8.f;
  if (frame() == 0) {
    setCameraOnCast();
    setCameraPitch(kPitch);
  }
  if (frame() == 32) {
    mBolt.launch(getScenePool(), aimPoint());
    setCameraOffsetZ(kShake);
    playSoundAt(0);
    flashHitTargets();
  }
  applyOn(64);
  if (frame() == 80) {
    finish();
  }
  return frame();
}

SunLight::SunLight() : mSet("src/picture/animation/太陽光線.txt") {}

i32 SunLight::update() {
  constexpr float kHeatSize = 192.f;
  constexpr i32 kHeatFrames = 64;
  if (frame() == 0) {
    setCameraOnCast();
    setCameraPitch(kPitch);
  }
  if (frame() == 16) {
    place(mSet.model(0), aimPoint());
  }
  if (frame() == 32) {
    mHeat.launch(getScenePool(), aimPoint(), kHeatSize, kHeatFrames);
    mGlow.launchOnTargets(*mAction);
    playSoundAt(0);
    flashHitTargets();
  }
  applyOn(80);
  if (frame() == 128) {
    finish();
  }
  return frame();
}

Blizzard::Blizzard() : mSet("src/picture/animation/吹雪.txt") {}

i32 Blizzard::update() {
  constexpr float kIcicleHeight = 128.f;
  constexpr float kIcicleSpread = 64.f;
  constexpr i32 kIcicles = 12;
  if (frame() == 0) {
    setCameraOnCast();
    Model* flake = mSet.model(0);
    for (i32 i = 0; i < kFlakes; ++i) {
      SceneNode* node = place(flake, inBox(128.f, 256.f, 0.f), asFloat(i / 2));
      node->rotation.z.setValue(sideYaw());
    }
  }
  if (frame() == 16) {
    playSoundAt(0);
  }
  if (frame() == 64) {
    for (i32 i = 0; i < getTargetCount(); ++i) {
      Vector3 front;
      getTarget(i)->getFrontPoint(front);
      mIcicle.field(getScenePool(), front, kIcicleHeight, kIcicleSpread, kIcicles);
    }
    mGlow.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 129);
}

Tornado::Tornado() : mSet("src/picture/animation/烈風.txt") {}

i32 Tornado::update() {
  constexpr i32 kWaveSpacing = 24;
  constexpr i32 kGustSpacing = 32;
  constexpr i32 kGusts = 3;
  if (frame() == 0) {
    setCameraOnCast();
    setCameraPitch(kPitch);
    const Vector3 front = casterFront();
    Model* streak = mSet.model(0);
    for (i32 w = 0; w < kWaves; ++w) {
      for (i32 k = 0; k < kStreaks; ++k) {
        SceneNode* node = place(streak, front, asFloat(kWaveSpacing * w));
        node->randomizeRotation(false, false, true);
        node->rotation.z.setVelocity(kSpin);
      }
    }
    for (i32 g = 0; g < kGusts; ++g) {
      playSound("main", kGustSpacing * g);
    }
  }
  if (frame() == 80) {
    launchHitMarks();
    knockBackTargets(casterPosition());
    flashHitTargets();
  }
  return applyOnEndFrom(96, 129);
}

AbyssWind::AbyssWind() : mSet("src/picture/animation/異界の風.txt") {}

i32 AbyssWind::update() {
  constexpr float kWidth = 256.f;
  if (frame() == 0) {
    setCameraPitch(kPitch);
    Model* streak = mSet.model(0);
    for (i32 i = 0; i < kStreaks; ++i) {
      const float y = Bank::draw(kWidth) - kWidth / 2.f;
      SceneNode* node = place(streak, Vector3(0.f, y, 0.f), asFloat(kStreaks - i));
      node->rotation.z.setValue(sideYaw());
    }
    playSoundAt(0);
  }
  if (frame() == 64) {
    launchHitMarks();
    mCurse.launchOnTargets(*mAction);
    mShake.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(96, 97);
}

Quake::Quake() : mSet("src/picture/animation/地響き.txt") {}

i32 Quake::update() {
  constexpr float kField = 256.f;
  constexpr float kShake = 10.f;
  if (frame() == 0) {
    setCameraPitch(kPitch);
  }
  if (frame() == 32) {
    Model* rock = mSet.model(0);
    for (i32 i = 0; i < kRocks; ++i) {
      SceneNode* node = place(rock, inBox(kField, kField, 0.f));
      node->position.setVelocity(inBox(1.f, 1.f, 0.f));
      node->scale.z.setValue(Bank::draw(1.f));
      node->randomizeRotation(false, false, true);
    }
    setCameraOffsetZ(kShake);
    playSoundAt(0);
  }
  if (frame() == 40) {
    mStagger.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(64, 97);
}

Rain::Rain() : mSet("src/picture/animation/豪雨.txt") {}

i32 Rain::update() {
  constexpr float kField = 256.f;
  constexpr float kTilt = 16.f;
  constexpr float kTurn = 180.f;
  constexpr float kRippleSize = 64.f;
  // A drop takes this many frames to land and ripple.
  constexpr float kFall = 6.f;
  if (frame() == 0) {
    setCameraPitch(kPitch);
    setCameraOnCast();
  }
  if (frame() == 30) {
    Model* drop = mSet.model(0);
    for (i32 i = 0; i < kDrops; ++i) {
      const Vector3 p = inBox(kField, kField, 0.f);
      const float delay = asFloat(i) / 3.f;
      SceneNode* node = place(drop, p, delay);
      node->rotation.setValue(inBox(kTilt, kTilt, kTurn));
      mRipple.launch(getScenePool(), p, kRippleSize)->setTime(-(delay + kFall));
    }
    playSoundAt(0);
  }
  if (frame() == 64) {
    launchHitMarks();
    flashHitTargets();
  }
  return applyOnEndFrom(96, 129);
}

OscillatoryWave::OscillatoryWave() : mSet("src/picture/animation/振動波.txt") {}

i32 OscillatoryWave::update() {
  constexpr float kShakePace = 8.f;
  if (frame() == 0) {
    setCameraPitch(kPitch);
    setCameraOnCast();
  }
  if (frame() == 30) {
    launchRings();
    mShake.launchOnTargetsFrom(*mAction, casterPosition(), kShakePace);
    playSoundAt(0);
  }
  if (frame() == 96 && isAnyTargetHit()) {
    startSound("hit");
    launchSparksOnTargets(kSparks);
    flashHitTargets();
  }
  return applyOnEndFrom(128, 161);
}

// Ring i in the hue 45·i, a quarter of the way back to white.
void OscillatoryWave::launchRings() {
  constexpr float kHueStep = 45.f;
  constexpr float kHueShare = 0.75f;
  constexpr i32 kSpacing = 4;
  const Vector3 from = casterPosition();
  Model* ring = mSet.model(0);
  for (i32 i = 0; i < kRings; ++i) {
    Color hue;
    hue.setHue(kHueStep * asFloat(i));
    Color colour;
    colour.lerp(kHueShare, Color(), hue);
    place(ring, from, asFloat(kSpacing * i))->setColor(colour);
  }
}

}  // namespace Game::Effect
