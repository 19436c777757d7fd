#pragma once

#include "Engine/Base/Types.h"
#include "Engine/FileIO/InFile.h"

namespace Game {

// Keeps the last 16 data files opened alive, so that a file opened again
// while it is in the ring is not read again. Used from the main thread only.
class FileLoader {
 public:
  static constexpr Engine::i32 kRingSize = 16;

  static void create();
  static void destroy();
  // Null outside create and destroy.
  static FileLoader* instance();

  // Holds file in the ring unless it is already there or null; the oldest
  // held file is let go.
  void request(const Engine::FileIO::InFile& file);

  const Engine::FileIO::InFile& ringEntry(Engine::i32 i) const { return mRing[i]; }

 private:
  FileLoader() = default;

  Engine::FileIO::InFile mRing[kRingSize];
  Engine::i32 mNext = 0;
};

}  // namespace Game
