#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Stand-in of the delayed sound effects until they are built: counts its
// once-a-frame updates.
class SoundEffectManager {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static SoundEffectManager* instance();

  void update() { ++mUpdates; }
  Engine::i32 updates() const { return mUpdates; }

 private:
  SoundEffectManager() = default;

  Engine::i32 mUpdates = 0;
};

}  // namespace Game
