#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Sound waves shared by file name: a wave is created once per file and lives
// while any sound entry holds it. Wave is a framework wave handle type
// (created by Wave::create (fileName), compared with ==).
template <class Wave>
class WaveCache {
 public:
  // The wave of fileName, created on its first request; each call adds a
  // reference, to be taken back with release.
  Wave acquire(const char* fileName) {
    for (Entry& entry : mEntries) {
      if (entry.fileName == fileName) {
        ++entry.references;
        return entry.wave;
      }
    }
    mEntries.push_back(Entry{Wave::create(fileName), String(fileName), 1});
    return mEntries.back().wave;
  }

  // Takes back one reference; the last one drops the wave. A wave that did
  // not come from the cache is ignored.
  void release(const Wave& wave) {
    if (!wave) {
      return;
    }
    for (auto it = mEntries.begin(); it != mEntries.end(); ++it) {
      if (it->wave == wave) {
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
    Wave wave;
    String fileName;
    Engine::i32 references;
  };

  std::vector<Entry> mEntries;
};

}  // namespace Game
