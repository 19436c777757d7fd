#include "effect/module/Launch.h"

#include <algorithm>

#include "presentation/scene/SceneNodePool.h"

namespace Game::Effect::Module {

Launch::Launch(SceneNode* source, Model* model, Engine::i32 interval)
    : mModel(model), mSource(source), mInterval(std::max(interval, 1)) {}

Engine::i32 Launch::update() {
  SceneNode* source = mSource.get();
  if (!source) {
    return kDone;
  }
  if (mCounter % mInterval == 0) {
    SceneNode* copy = source->pool()->create(mModel, 0);
    copy->position = source->position;
    copy->rotation = source->rotation;
    copy->scale = source->scale;
    copy->position.stop();
    copy->rotation.stop();
    copy->scale.stop();
  }
  ++mCounter;
  return kRunning;
}

}  // namespace Game::Effect::Module
