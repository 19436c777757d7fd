// The WAV reader over arbitrary bytes; what it accepts is then played
// through the mixer, looping and resampled, so every sample it hands out is read.

#include <cstddef>
#include <cstdint>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Sound/src/WaveImpl.h"
#include "Sound/src/WaveReader.h"
#include "fuzz/FuzzStop.h"

namespace {

struct SoundSetUp {
  SoundSetUp() { Engine::Sound::Manager::create(); }
  ~SoundSetUp() { Engine::Sound::Manager::destroy(); }
  FuzzSupport::FuzzBackend backend{FuzzSupport::OnStop::Abort};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static SoundSetUp setUp;
  setUp.backend.startInput();
  Engine::Sound::WaveContents contents;
  if (Engine::Sound::readWave(data, size, contents) != nullptr) {
    return 0;
  }
  Engine::Sound::Wave wave(Engine::Sound::Wave::Impl::fromBytes("fuzz.wav", data, size));
  Engine::Sound::Player player = Engine::Sound::Player::create(wave);
  player.setVolume(-3);
  player.play(true);
  setUp.backend.fakeAudioOutput.pull(2048);
  player.play(false);
  setUp.backend.fakeAudioOutput.pull(2048);
  return 0;
}
