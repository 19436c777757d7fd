#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

#include "Engine/Base/Types.h"
#include "Platform/AudioOutput.h"
#include "Sound/src/WaveReader.h"

namespace Engine::Sound {

// The playing state of one player. Every field is guarded by the mixer's
// mutex once the voice is added.
struct Voice {
  static constexpr u64 kOne = u64(1) << 32;  // one frame in position units

  SampleFormat format;
  const u8* samples = nullptr;  // frameCount frames; owned by the wave or the player
  u32 frameCount = 0;
  bool playing = false;
  bool looping = false;
  u64 position = 0;  // frames, 32.32 fixed point
  u64 step = kOne;   // source frames per output frame, 32.32
  f32 gain = 1.0f;

  void setSamples(const SampleFormat& sampleFormat, const u8* data, u32 bytes);
  u32 frameIndex() const { return static_cast<u32>(position >> 32); }
  // Source frames consumed by an output block of frames, rounded up.
  u32 framesPerOutput(std::size_t outputFrames) const;
};

// Sums the playing voices into the output's 44.1 kHz 16-bit stereo. Sources
// of other rates are resampled linearly, 8-bit and mono converted on the way.
// The mutex is held for one block of output at a time, so the game and
// music threads never wait longer than one block's mixing.
class Mixer : public Platform::AudioSource {
 public:
  static constexpr std::size_t kBlockFrames = 1024;

  Mixer();

  std::mutex& mutex() { return mMutex; }
  // Each takes the mutex.
  void add(Voice& voice);
  void remove(Voice& voice);

  void render(std::int16_t* frames, std::size_t frameCount) override;

  // Without an output nothing renders: a voice played would never end.
  void setSilent(bool silent) { mSilent = silent; }
  bool isSilent() const { return mSilent; }

 private:
  void mixBlock(std::size_t frameCount);

  std::mutex mMutex;
  std::vector<Voice*> mVoices;
  std::vector<f32> mSum;
  bool mSilent = false;
};

// 10^(hundredths / 2000): hundredths of a decibel to an amplitude factor;
// -10000 and below are silence.
f32 gainOf(i32 hundredthsOfDecibel);

}  // namespace Engine::Sound
