#include "effect/TimedNodeList.h"

#include "presentation/scene/SceneNode.h"

namespace Game::Effect {

void TimedNodeList::add(SceneNode* node) { mEntries.push_back(Entry{Module::TrackedNode(node), 0}); }

void TimedNodeList::remove(Engine::i32 i) {
  if (SceneNode* node = this->node(i)) {
    node->release();
  }
  mEntries.erase(mEntries.begin() + i);
}

void TimedNodeList::clear() {
  while (!mEntries.empty()) {
    remove(0);
  }
}

void TimedNodeList::ageAll() {
  for (Entry& entry : mEntries) {
    ++entry.age;
  }
}

}  // namespace Game::Effect
