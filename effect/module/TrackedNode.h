#pragma once

#include "Engine/Base/Types.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Module {

// A scene node a module works on, with the id it had when the module took
// it: once the node is released, or its slot went to another node, the
// module lets it be.
class TrackedNode {
 public:
  TrackedNode() = default;
  explicit TrackedNode(SceneNode* node) : mNode(node), mId(node ? node->getId() : 0) {}

  // The node while it is still the one taken and in use; null otherwise.
  SceneNode* get() const { return mNode && mNode->isActive() && mNode->getId() == mId ? mNode : nullptr; }
  bool isSet() const { return mNode != nullptr; }
  Engine::u32 id() const { return mId; }

 private:
  SceneNode* mNode = nullptr;
  Engine::u32 mId = 0;
};

}  // namespace Game::Effect::Module
