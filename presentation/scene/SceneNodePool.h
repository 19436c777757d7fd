#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "presentation/scene/SceneNode.h"

namespace Game {

class Model;

// A fixed number of scene nodes that a scene creates its 3D objects from.
// Nodes are never allocated after construction: create takes the first free
// slot, and a full pool gives up its last slot (releasing what it held).
// Scans stop at highestUsed, the highest slot known to be in use.
//
// Every live pool is registered, so that a model being destroyed can release
// the nodes that play it in all of them.
class SceneNodePool {
 public:
  static constexpr Engine::i32 kSceneCapacity = 1024;

  explicit SceneNodePool(Engine::i32 capacity);
  ~SceneNodePool();
  SceneNodePool(const SceneNodePool&) = delete;
  SceneNodePool& operator=(const SceneNodePool&) = delete;

  // A fresh node of the model from the first free slot at or after
  // startIndex (wrapping round).
  SceneNode* create(Model* model, Engine::i32 startIndex = 0);
  SceneNode* clone(const SceneNode& node);
  // A node without a model that lights the scene from a world position.
  SceneNode* createLight(float range, Engine::i32 lifetime, const Engine::Math::Vector3& position,
                         const Engine::Math::Vector3& color);
  // The same with red, green and blue of a packed ARGB colour.
  SceneNode* createLightPacked(float range, Engine::i32 lifetime, const Engine::Math::Vector3& position,
                               Engine::u32 argb);

  // A node of the model popping up at a world position (state pictures,
  // sparkles): a billboard that rises on screen by rise a step and is released after
  // lifetime steps.
  SceneNode* launchAnimation(Model* model, const Engine::Math::Vector3& position, Engine::i32 lifetime, float rise);

  // One logic step of every node in use, in slot order. Nodes carry no
  // group bits, so the mask filters nothing.
  void update(Engine::u32 groupMask = 0);
  // World states brought up to date, then every shown node with a model drawn.
  void draw();
  void updateAllWorld();
  void releaseAll();

  Engine::i32 capacity() const { return mCapacity; }
  Engine::i32 highestUsed() const { return mHighestUsed; }
  SceneNode& node(Engine::i32 index) { return mNodes[index]; }
  const SceneNode& node(Engine::i32 index) const { return mNodes[index]; }
  Engine::i32 activeCount() const;

  // Forgets every registered pool; the application root calls it when it is
  // built and when it goes.
  static void initRegistry();
  static void destroyRegistry();
  static Engine::i32 registeredCount();
  // Releases, in every registered pool, the nodes that play model; called
  // when a model is destroyed, so no node keeps a dangling model.
  static void releaseModelUsers(const Model* model);
  // The id counter: restarts whenever a pool is built.
  static Engine::u32 takeNodeId();

 private:
  friend class SceneNode;

  // The slot taken is released first unless it is kept.
  Engine::i32 findFreeSlot(Engine::i32 start, const SceneNode* kept = nullptr);
  // A node released at the top of the scan range.
  void noteReleased(Engine::i32 index);
  // Children of parent released or detached.
  void releaseChildren(const SceneNode* parent);
  void releaseUsers(const Model* model);

  Engine::i32 mCapacity;
  Engine::i32 mHighestUsed = 0;
  std::unique_ptr<SceneNode[]> mNodes;
};

}  // namespace Game
