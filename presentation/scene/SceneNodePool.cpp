#include "presentation/scene/SceneNodePool.h"

#include <algorithm>
#include <vector>

#include "Engine/Base/Assert.h"
#include "presentation/render/Color.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

std::vector<SceneNodePool*>& registry() {
  static std::vector<SceneNodePool*> sPools;
  return sPools;
}

u32 gNextNodeId = 0;

}  // namespace

SceneNodePool::SceneNodePool(i32 capacity) : mCapacity(capacity), mNodes(new SceneNode[capacity > 0 ? capacity : 1]) {
  ENGINE_ASSERT(capacity > 0 && "a scene-node pool needs at least one slot");
  for (i32 i = 0; i < mCapacity; ++i) {
    mNodes[i].mPool = this;
    mNodes[i].mIndex = static_cast<u32>(i);
  }
  gNextNodeId = 0;
  registry().push_back(this);
}

SceneNodePool::~SceneNodePool() { std::erase(registry(), this); }

i32 SceneNodePool::findFreeSlot(i32 start, const SceneNode* kept) {
  const i32 first = start >= 0 && start < mCapacity ? start : 0;
  i32 chosen = mCapacity - 1;
  for (i32 k = 0; k < mCapacity; ++k) {
    const i32 i = (first + k) % mCapacity;
    if (!mNodes[i].mActive) {
      chosen = i;
      break;
    }
  }
  // A full pool gives up its last node, and with it what that node held.
  if (&mNodes[chosen] != kept) {
    mNodes[chosen].release();
  }
  mHighestUsed = std::max(mHighestUsed, chosen);
  return chosen;
}

SceneNode* SceneNodePool::create(Model* model, i32 startIndex) {
  SceneNode& node = mNodes[findFreeSlot(startIndex)];
  node.reset(model);
  return &node;
}

SceneNode* SceneNodePool::clone(const SceneNode& original) {
  // In a full pool the last slot may be the original itself: it is then
  // its own copy, with what it holds.
  SceneNode& node = mNodes[findFreeSlot(0, &original)];
  node.copyFrom(original);
  return &node;
}

SceneNode* SceneNodePool::createLight(float range, i32 lifetime, const Engine::Math::Vector3& position,
                                      const Engine::Math::Vector3& color) {
  SceneNode* node = create(nullptr, 0);
  node->position.setValue(position);
  node->setLifetime(lifetime);
  node->setLight(range, color);
  return node;
}

SceneNode* SceneNodePool::createLightPacked(float range, i32 lifetime, const Engine::Math::Vector3& position,
                                            u32 argb) {
  const Color color(argb);
  return createLight(range, lifetime, position, Engine::Math::Vector3(color.red(), color.green(), color.blue()));
}

SceneNode* SceneNodePool::launchAnimation(Model* model, const Engine::Math::Vector3& position, i32 lifetime,
                                          float rise) {
  SceneNode* node = create(model, 0);
  node->baseState.translate(position);
  node->baseState.billboard = true;
  node->position.setVelocity(0.f, rise, 0.f);
  node->setLifetime(lifetime);
  return node;
}

void SceneNodePool::update(u32) {
  mHighestUsed = 0;
  for (i32 i = mCapacity - 1; i > 0; --i) {
    if (mNodes[i].mActive) {
      mHighestUsed = i;
      break;
    }
  }
  // Nodes created meanwhile raise the bound and are updated in this pass
  // when their slot lies ahead.
  for (i32 i = 0; i <= mHighestUsed; ++i) {
    mNodes[i].update();
  }
}

void SceneNodePool::updateAllWorld() {
  for (i32 i = 0; i <= mHighestUsed; ++i) {
    SceneNode& node = mNodes[i];
    if (node.mActive && !node.mWorldValid) {
      node.updateWorld();
    }
  }
}

void SceneNodePool::draw() {
  updateAllWorld();
  for (i32 i = 0; i <= mHighestUsed; ++i) {
    mNodes[i].draw();
  }
}

void SceneNodePool::releaseAll() {
  for (i32 i = 0; i < mCapacity; ++i) {
    mNodes[i].release();
  }
}

i32 SceneNodePool::activeCount() const {
  i32 n = 0;
  for (i32 i = 0; i < mCapacity; ++i) {
    n += mNodes[i].mActive ? 1 : 0;
  }
  return n;
}

void SceneNodePool::noteReleased(i32 index) {
  if (index == mHighestUsed) {
    --mHighestUsed;
  }
}

void SceneNodePool::releaseChildren(const SceneNode* parent) {
  for (i32 i = 0; i <= mHighestUsed; ++i) {
    SceneNode& node = mNodes[i];
    if (node.mParent != parent) {
      continue;
    }
    if (node.mDetachOnParentRelease) {
      node.detach();
    } else {
      node.release();
    }
  }
}

void SceneNodePool::releaseUsers(const Model* model) {
  for (i32 i = 0; i <= mHighestUsed; ++i) {
    SceneNode& node = mNodes[i];
    if (node.mActive && node.mModel == model) {
      node.release();
    }
  }
}

void SceneNodePool::initRegistry() { registry().clear(); }

void SceneNodePool::destroyRegistry() { registry().clear(); }

i32 SceneNodePool::registeredCount() { return static_cast<i32>(registry().size()); }

void SceneNodePool::releaseModelUsers(const Model* model) {
  if (!model) {
    return;
  }
  for (SceneNodePool* pool : registry()) {
    pool->releaseUsers(model);
  }
}

u32 SceneNodePool::takeNodeId() { return gNextNodeId++; }

}  // namespace Game
