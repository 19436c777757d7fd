#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/ReferenceType.h"
#include "Engine/Sound/Player.h"
#include "Sound/src/Mixer.h"
#include "Sound/src/WaveImpl.h"

namespace Engine::Sound {

class Player::Impl : public ReferenceType {
 public:
  // Over a ready wave; inert when the wave failed to load.
  Impl(std::shared_ptr<Mixer> mixer, Wave::Impl* wave);
  // A streaming player, filled with silence.
  Impl(std::shared_ptr<Mixer> mixer, i32 bits, i32 size, i32 freq, i32 channelN);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  void play(bool loop);
  void stop();
  bool isPlaying();
  void setVolume(i32 volume);
  i32 position();
  bool write(i32 position, const u8* data, i32 byteCount);
  bool fillSilence(i32 position, i32 byteCount);

  // Output frames' worth of source that the write cursor runs ahead of the play cursor.
  static constexpr std::size_t kWriteAheadFrames = Mixer::kBlockFrames;

 private:
  bool isStreaming() const { return mSize > 0; }
  // Mutex held.
  i32 playCursorLocked() const;
  // Byte offset just past the part about to be played.
  i32 writeCursorLocked() const;
  bool isBeingPlayedLocked(i32 position) const;

  std::shared_ptr<Mixer> mMixer;
  Voice mVoice;
  bool mInMixer = false;
  Wave::Impl* mWave = nullptr;  // one reference, keeping the samples alive
  bool mEightBit = false;
  i32 mSize = 0;  // ring bytes; 0 for a player over a wave
  std::vector<u8> mRing;
};

}  // namespace Engine::Sound
