#include "presentation/scene/SceneNodePool.h"

namespace Game {

namespace {

bool gRegistryReady = false;

}  // namespace

void SceneNodePool::initRegistry() { gRegistryReady = true; }

void SceneNodePool::destroyRegistry() { gRegistryReady = false; }

bool SceneNodePool::isRegistryReady() { return gRegistryReady; }

void SceneNodePool::releaseModelUsers(const Model*) {}

}  // namespace Game
