#include "core/sound/SoundFiles.h"

#include <vector>

#include "Engine/Threading/Sleep.h"
#include "core/string/String.h"
#include "file/nml/NmlDocument.h"

namespace Game::SoundFiles {

using Engine::i32;
using Engine::Sound::Wave;

namespace {

struct CachedWave {
  Wave wave;
  String fileName;
  i32 references;
};

std::vector<CachedWave>& cache() {
  static std::vector<CachedWave> waves;
  return waves;
}

}  // namespace

void loadNml(NmlDocument& document, const char* path) {
  Engine::FileIO::InFile file = Engine::FileIO::InFile::create(path);
  while (!file.isFinished()) {
    Engine::Threading::sleep(1);
  }
  document.loadFromText(path, file.data() ? file.data() : "");
}

Wave acquireWave(const char* fileName) {
  for (CachedWave& entry : cache()) {
    if (entry.fileName == fileName) {
      ++entry.references;
      return entry.wave;
    }
  }
  cache().push_back(CachedWave{Wave::create(fileName), String(fileName), 1});
  return cache().back().wave;
}

void releaseWave(const Wave& wave) {
  if (!wave) {
    return;
  }
  for (auto it = cache().begin(); it != cache().end(); ++it) {
    if (it->wave == wave) {
      if (--it->references == 0) {
        cache().erase(it);
      }
      return;
    }
  }
}

i32 cachedWaveCount() { return static_cast<i32>(cache().size()); }

}  // namespace Game::SoundFiles
