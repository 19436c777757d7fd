#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;
class ToolData;

// Stand-in of the party's item stock until items exist: item records and
// their numbers, not yet saved.
class Bag {
 public:
  struct Entry {
    const ToolData* item;
    Engine::i32 count;
  };

  // Nothing to write or read yet.
  void save(NmlNode&) const {}
  void load(const NmlNode&) {}
  void clear() { mEntries.clear(); }

  Engine::i32 countItem(const ToolData* item) const {
    Engine::i32 n = 0;
    for (const Entry& entry : mEntries) {
      n += entry.item == item ? entry.count : 0;
    }
    return n;
  }
  // One of the first entry of that item; false when there is none.
  bool takeItem(const ToolData* item) {
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it) {
      if (it->item == item) {
        if (--it->count < 1) {
          mEntries.erase(it);
        }
        return true;
      }
    }
    return false;
  }
  void add(const ToolData* item, Engine::i32 n) {
    for (Entry& entry : mEntries) {
      if (entry.item == item) {
        entry.count += n;
        return;
      }
    }
    mEntries.push_back({item, n});
  }
  Engine::i32 entryCount() const { return static_cast<Engine::i32>(mEntries.size()); }

 private:
  std::vector<Entry> mEntries;
};

}  // namespace Game
