#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Sound/Player.h"
#include "core/container/OwnedList.h"

namespace Game {

// Players that sound later or on their own: each waits its delay in frames,
// plays once, and is dropped when it has finished.
class SoundEffectManager {
 public:
  // Also hooks the settings' sound-effect volume.
  static void create();
  static void destroy();
  static SoundEffectManager* instance();

  // Hands the player to the manager; without a manager it is dropped.
  static void queue(const Engine::Sound::Player& player, Engine::i32 delay, bool loop, bool overlap);

  // Once a frame: a player queued with delay d is first heard in the
  // (d + 1)-th update after it was queued.
  void update();
  Engine::i32 count() const { return mQueued.count(); }

 private:
  struct Queued {
    Engine::Sound::Player mPlayer;
    bool mLoop = false;
    bool mOverlap = false;
    Engine::i32 mDelay = 0;
    bool mStarted = false;
  };

  SoundEffectManager() = default;

  OwnedList<Queued> mQueued;
};

}  // namespace Game
