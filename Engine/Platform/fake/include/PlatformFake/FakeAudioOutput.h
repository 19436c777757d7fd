#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Platform/AudioOutput.h"

namespace PlatformFake {

// An audio output that nothing pulls but the test: pull renders frames by hand.
class FakeAudioOutput : public Platform::AudioOutput {
 public:
  bool start(Platform::AudioSource& source) override;
  void stop() override;

  // frameCount interleaved stereo frames from the started source; silence
  // when nothing is started.
  std::vector<std::int16_t> pull(std::size_t frameCount);

  bool audible = true;  // what start reports
  Platform::AudioSource* source = nullptr;
  int startCount = 0;
  int stopCount = 0;
};

}  // namespace PlatformFake
