#pragma once

#include <cstddef>
#include <cstdint>

namespace Platform {

// The one output format: interleaved signed 16-bit stereo frames.
inline constexpr int kAudioRate = 44100;
inline constexpr int kAudioChannels = 2;

// What the output pulls from. render is called on the audio thread (or by a
// test) and must fill exactly frameCount frames.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  virtual void render(std::int16_t* frames, std::size_t frameCount) = 0;
};

// The program's one audio device.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Starts pulling from source. False when no device could be opened: the
  // source is then still pulled in step with the clock and its output dropped,
  // so playback positions move on as if it were heard.
  virtual bool start(AudioSource& source) = 0;
  // Stops pulling; once it returns no render call runs or follows.
  virtual void stop() = 0;
};

}  // namespace Platform
