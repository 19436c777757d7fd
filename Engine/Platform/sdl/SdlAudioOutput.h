#pragma once

#include <SDL.h>

#include <atomic>
#include <thread>

#include "Platform/AudioOutput.h"

namespace Platform::Sdl {

// Pulls a source in step with the clock and drops what it renders, for when
// no device opens: players still finish and streams still advance.
class SilentPacer {
 public:
  ~SilentPacer() { stop(); }
  void start(AudioSource& source);
  void stop();

 private:
  void run(AudioSource& source);

  std::thread mThread;
  std::atomic<bool> mStopRequested{false};
};

// One SDL audio device, 44.1 kHz signed 16-bit stereo (SDL converts when the
// hardware differs), whose callback pulls the source.
class SdlAudioOutput : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  ~SdlAudioOutput() override { stop(); }
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  bool start(AudioSource& source) override;
  void stop() override;

 private:
  bool openDevice(AudioSource& source);
  static void SDLCALL fill(void* userData, Uint8* stream, int length);

  SDL_AudioDeviceID mDevice = 0;
  bool mSubsystemStarted = false;
  SilentPacer mPacer;
};

}  // namespace Platform::Sdl
