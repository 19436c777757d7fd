// The healing rain: drops about the targets, each rippling where it lands.

#include "core/random/RandomGenerator.h"
#include "effect/ActionRecord.h"
#include "effect/Buffs.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kRainPitch = 30.f;

}  // namespace

HealRain::HealRain() : mSet("src/picture/animation/恵雨.txt") {}

i32 HealRain::update() {
  if (frame() == 0) {
    setCameraOnTargets();
    setCameraPitch(kRainPitch);
  }
  if (frame() == kRainFrame) {
    rain();
  }
  if (frame() == kGlowFrame) {
    Vector3 centre;
    getTargetCentre(centre);
    mGlow.launch(getScenePool(), centre, kGlowSize, kGlowFrames);
  }
  if (frame() == kChargeFrame) {
    playSoundAt(0);
    mCharge.launchOnTargets(*mAction);
  }
  return applyOnEndFrom(kApplyFrame, kEndFrame);
}

// Drop i starts after 4·i frames and its ripple 32 frames after it.
void HealRain::rain() {
  Vector3 ground;
  getTargetCentre(ground);
  ground.z = 0.f;
  Model* drop = mSet.model(0);
  for (i32 i = 0; i < kDrops; ++i) {
    Vector3 p;
    Bank::random().getFlatVector(&p, kSpread);
    p += ground;
    const float delay = static_cast<float>(kDropSpacing * i);
    SceneNode* node = launchAnimation(drop);
    node->position.setValue(p);
    node->setTime(-delay);
    mRipple.launch(getScenePool(), p, kRippleSize)->setTime(-delay - static_cast<float>(kDropFall));
  }
}

}  // namespace Game::Effect
