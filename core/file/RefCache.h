#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Framework handles shared by file name: one handle is created per file and
// lives while any user holds it. Handle is a framework handle type (created
// by Handle::create (fileName), compared with ==): sound waves, textures.
template <class Handle>
class RefCache {
 public:
  // The handle of fileName, created on its first request; each call adds a
  // reference, to be taken back with release.
  Handle acquire(const char* fileName) {
    for (Entry& entry : mEntries) {
      if (entry.fileName == fileName) {
        ++entry.references;
        return entry.handle;
      }
    }
    mEntries.push_back(Entry{Handle::create(fileName), String(fileName), 1});
    return mEntries.back().handle;
  }

  // Takes back one reference; the last one drops the handle. A handle that
  // did not come from the cache, or an empty one, is ignored.
  void release(const Handle& handle) {
    if (!handle) {
      return;
    }
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it) {
      if (it->handle == handle) {
        if (--it->references == 0) {
          mEntries.erase(it);
        }
        return;
      }
    }
  }

  Engine::i32 count() const { return static_cast<Engine::i32>(mEntries.size()); }

 private:
  struct Entry {
    Handle handle;
    String fileName;
    Engine::i32 references;
  };

  std::vector<Entry> mEntries;
};

}  // namespace Game
