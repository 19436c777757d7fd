#include "SdlAudioOutput.h"

#include <cstdio>
#include <vector>

namespace Platform::Sdl {

namespace {

constexpr int kPeriodFrames = 1024;  // about 23 ms per callback
constexpr std::uint64_t kMaxCatchUpFrames = kAudioRate;  // after a stall, at most 1 s is skipped through

std::uint64_t microsecondsSince(std::chrono::steady_clock::time_point start) {
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

}  // namespace

void SilentPacer::start(AudioSource& source) {
  stop();
  mStopRequested = false;
  mThread = std::thread([this, &source] { run(source); });
}

void SilentPacer::stop() {
  if (mThread.joinable()) {
    mStopRequested = true;
    mThread.join();
  }
}

void SilentPacer::run(AudioSource& source) {
  std::vector<std::int16_t> scratch(static_cast<std::size_t>(kPeriodFrames * kAudioChannels));
  const auto start = std::chrono::steady_clock::now();
  std::uint64_t pulled = 0;
  while (!mStopRequested) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::uint64_t due = microsecondsSince(start) * kAudioRate / 1000000u;
    if (due > pulled + kMaxCatchUpFrames) {
      pulled = due - kMaxCatchUpFrames;
    }
    while (pulled < due && !mStopRequested) {
      const std::uint64_t frames = due - pulled < kPeriodFrames ? due - pulled : kPeriodFrames;
      source.render(scratch.data(), static_cast<std::size_t>(frames));
      pulled += frames;
    }
  }
}

bool SdlAudioOutput::start(AudioSource& source) {
  stop();
  if (openDevice(source)) {
    return true;
  }
  std::fprintf(stderr, "audio: no device (%s); running silent\n", SDL_GetError());
  mPacer.start(source);
  return false;
}

bool SdlAudioOutput::openDevice(AudioSource& source) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return false;
  }
  mSubsystemStarted = true;
  SDL_AudioSpec wanted{};
  wanted.freq = kAudioRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kAudioChannels;
  wanted.samples = kPeriodFrames;
  wanted.callback = &SdlAudioOutput::fill;
  wanted.userdata = &source;
  SDL_AudioSpec obtained{};
  mDevice = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (mDevice == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mSubsystemStarted = false;
    return false;
  }
  SDL_PauseAudioDevice(mDevice, 0);
  return true;
}

void SDLCALL SdlAudioOutput::fill(void* userData, Uint8* stream, int length) {
  const int frameBytes = static_cast<int>(sizeof(std::int16_t)) * kAudioChannels;
  // The callback's buffer is 16-bit aligned, as SDL allocates it for this format.
  static_cast<AudioSource*>(userData)->render(reinterpret_cast<std::int16_t*>(stream),
                                              static_cast<std::size_t>(length / frameBytes));
}

void SdlAudioOutput::stop() {
  mPacer.stop();
  if (mDevice != 0) {
    // Closing waits for a running callback to return.
    SDL_CloseAudioDevice(mDevice);
    mDevice = 0;
  }
  if (mSubsystemStarted) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mSubsystemStarted = false;
  }
}

}  // namespace Platform::Sdl
