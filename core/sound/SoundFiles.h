#pragma once

#include "Engine/Base/Types.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/Sound/Wave.h"

namespace Game {

class NmlDocument;

// How music and sound effects reach their files: through the framework's file
// manager, and the waves shared by file name.
namespace SoundFiles {

// Reads the whole file, waiting for it, and parses it strictly.
void loadNml(NmlDocument& document, const char* path);

// The wave of fileName, loaded once and shared while references remain; each
// acquire is matched by one release.
Engine::Sound::Wave acquireWave(const char* fileName);
void releaseWave(const Engine::Sound::Wave& wave);
Engine::i32 cachedWaveCount();

}  // namespace SoundFiles

// A file read in the background for the music thread.
class TuneFileReader {
 public:
  void open(const char* path) { mFile = Engine::FileIO::InFile::create(path); }
  bool isFinished() const { return mFile && mFile.isFinished(); }
  // Null and 0 when the file could not be read.
  const char* data() const { return mFile ? mFile.data() : nullptr; }
  Engine::i32 size() const { return data() ? static_cast<Engine::i32>(mFile.size()) : 0; }
  void release() { mFile = Engine::FileIO::InFile(); }

 private:
  Engine::FileIO::InFile mFile;
};

}  // namespace Game
