#include "effect/CastCamera.h"

#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

void CastCamera::follow(SceneNode* followedNode) {
  node = followedNode;
  nodeId = followedNode ? followedNode->getId() : 0;
}

SceneNode* CastCamera::followed() const {
  return node && node->isActive() && node->getId() == nodeId ? node : nullptr;
}

Engine::Math::Vector3 CastCamera::target() const {
  if (SceneNode* followedNode = followed()) {
    followedNode->updateWorld();
    return *followedNode->worldPosition();
  }
  return focus;
}

}  // namespace Game::Effect
