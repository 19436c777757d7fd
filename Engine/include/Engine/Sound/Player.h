#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Sound/Wave.h"

namespace Engine::Sound {

// One voice: either over a loaded wave (sharing its samples) or a streaming
// ring that the caller keeps filling. Volumes are decibels, 0 (full) down to
// -100 (silent); positions are byte offsets in the wave or the ring.
class Player {
 public:
  class Impl;

  Player() = default;
  Player(const Player& other);
  Player& operator=(const Player& other);
  ~Player();

  // The wave must be ready. A player over a wave that failed to load does nothing.
  static Player create(const Wave& wave);
  // A streaming player: bitsPerSample 8 or 16, a ring of more than 1/16 s.
  static Player create(i32 bitsPerSample, i32 bufferSize, i32 frequency, i32 channels);

  // Rewinds and plays; a streaming player always loops.
  void play(bool loop);
  // Stops and rewinds.
  void stop();
  bool isPlaying() const;
  // -100 to 0; anything else leaves the volume as it was.
  void setVolume(i32 volume);
  // The play cursor.
  i32 position() const;
  // Streaming only. False, changing nothing, when position lies strictly
  // between the play and write cursors (the part about to be played).
  bool write(i32 position, const u8* data, i32 size);
  bool fillSilence(i32 position, i32 size);

  void release();
  explicit operator bool() const { return mImpl != nullptr; }

 private:
  explicit Player(Impl* impl) : mImpl(impl) {}
  Impl* mImpl = nullptr;
};

}  // namespace Engine::Sound
