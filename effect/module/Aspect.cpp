#include "effect/module/Aspect.h"

#include <algorithm>

#include "Engine/Math/Functions.h"
#include "effect/Stage.h"

namespace Game::Effect::Module {

Aspect::Aspect(Stage& stage, Engine::i32 frames, float amplitude, float period)
    : mStage(stage), mFrames(std::max(frames, 1)), mPeriod(period), mAmplitude(amplitude) {}

Engine::i32 Aspect::update() {
  const float c = static_cast<float>(mCounter);
  const float envelope = Engine::Math::sin(c * 180.f / static_cast<float>(mFrames));
  const float swing = mPeriod != 0.f ? Engine::Math::cos(c * 360.f / mPeriod) : 1.f;
  mStage.setAspectScale(1.f + mAmplitude * envelope * swing);
  ++mCounter;
  return mCounter > mFrames ? kDone : kHolding;
}

}  // namespace Game::Effect::Module
