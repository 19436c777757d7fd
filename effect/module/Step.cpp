#include "effect/module/Step.h"

#include <algorithm>

#include "live/Unit.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Module {

using Engine::Math::Vector3;

Step::Step(Unit& unit, float hop, float shift, Engine::i32 frames)
    : mUnit(unit), mFrames(std::max(frames, 1)), mHop(hop), mShift(shift) {}

Engine::i32 Step::update() {
  if (mCounter > mFrames) {
    return kDone;
  }
  if (SceneNode* node = mUnit.node()) {
    const float f = static_cast<float>(mFrames);
    // Rising by 4·hop/F at first, each update 8·hop/F² less: the rises of
    // the F + 1 updates sum to 0.
    const float rise = mHop * 4.f / f + static_cast<float>(mCounter) * (mHop * -8.f / f / f);
    node->updateWorld();
    Vector3 next;
    node->localToWorldPoint(&next, Vector3(mShift / f, 0.f, rise));
    node->position.setValue(next);
  }
  ++mCounter;
  return kHolding;
}

}  // namespace Game::Effect::Module
