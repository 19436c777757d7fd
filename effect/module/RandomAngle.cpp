#include "effect/module/RandomAngle.h"

namespace Game::Effect::Module {

RandomAngle::RandomAngle(SceneNode* node, bool x, bool y, bool z) : mNode(node), mX(x), mY(y), mZ(z) {}

Engine::i32 RandomAngle::update() {
  SceneNode* node = mNode.get();
  if (!node) {
    return kDone;
  }
  node->randomizeRotation(mX, mY, mZ);
  return kRunning;
}

}  // namespace Game::Effect::Module
