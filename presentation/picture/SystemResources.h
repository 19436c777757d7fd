#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of the system sound list: counts what it is asked to play.
class SystemSoundList {
 public:
  void play(const char* name, Engine::i32 delay);
  Engine::i32 playCount() const { return mPlayCount; }

 private:
  Engine::i32 mPlayCount = 0;
};

// Stand-in of the system pictures (frame, cursor, wall, digits) and sounds:
// holds no pictures yet, and sounds nothing.
class SystemResources {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static SystemResources* instance();

  SystemSoundList& sounds() { return mSounds; }

 private:
  SystemResources() = default;

  SystemSoundList mSounds;
};

}  // namespace Game
