#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "effect/module/TrackedNode.h"

namespace Game::Effect {

// Scene nodes an effect launched and must follow, each with its age in
// frames. The list does not own the nodes: removing an entry releases its
// node, unless the node already ended and its slot went to another.
class TimedNodeList {
 public:
  TimedNodeList() = default;
  TimedNodeList(const TimedNodeList&) = delete;
  TimedNodeList& operator=(const TimedNodeList&) = delete;
  ~TimedNodeList() = default;

  Engine::i32 count() const { return static_cast<Engine::i32>(mEntries.size()); }
  // The entry's node while it is still the one added; null otherwise.
  SceneNode* node(Engine::i32 i) const { return mEntries[static_cast<std::size_t>(i)].node.get(); }
  Engine::i32 age(Engine::i32 i) const { return mEntries[static_cast<std::size_t>(i)].age; }

  // A new entry of age 0.
  void add(SceneNode* node);
  void remove(Engine::i32 i);
  void clear();
  void ageAll();

 private:
  struct Entry {
    Module::TrackedNode node;
    Engine::i32 age = 0;
  };
  std::vector<Entry> mEntries;
};

}  // namespace Game::Effect
