#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/Wave.h"
#include "core/string/String.h"

namespace Game {

// A named short sound over a shared wave, with its own player for start.
class SoundEffect {
 public:
  // The wave comes from the file loader's shared waves (one reference).
  SoundEffect(const char* name, const char* fileName);
  // Gives back the player and the wave's reference.
  ~SoundEffect();
  SoundEffect(const SoundEffect&) = delete;
  SoundEffect& operator=(const SoundEffect&) = delete;

  // The volume of every sound-effect start, in the players' decibels.
  static void setGlobalVolume(Engine::i32 decibels);
  static Engine::i32 globalVolume();

  const String& name() const { return mName; }
  const Engine::Sound::Wave& wave() const { return mWave; }
  bool isReady() const { return !mWave || mWave.isReady(); }

  // A fresh player, sounding delay frames from now; copies may overlap.
  void play(Engine::i32 delay);
  // Without delay, the entry's own player: not restarted while it plays
  // (unless overlapping is allowed). With a delay, as play.
  void start(Engine::i32 delay);

  bool mOverlap = false;
  bool mLoop = false;

 private:
  bool isPlayable() const;

  Engine::Sound::Wave mWave;
  Engine::Sound::Player mPlayer;
  String mName;
};

}  // namespace Game
