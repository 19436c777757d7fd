#include "PlatformFake/FakeAudioOutput.h"

namespace PlatformFake {

bool FakeAudioOutput::start(Platform::AudioSource& started) {
  ++startCount;
  source = &started;
  return audible;
}

void FakeAudioOutput::stop() {
  ++stopCount;
  source = nullptr;
}

std::vector<std::int16_t> FakeAudioOutput::pull(std::size_t frameCount) {
  std::vector<std::int16_t> frames(frameCount * Platform::kAudioChannels, 0);
  if (source && frameCount > 0) {
    source->render(frames.data(), frameCount);
  }
  return frames;
}

}  // namespace PlatformFake
