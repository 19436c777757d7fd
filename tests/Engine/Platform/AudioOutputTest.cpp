#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/WaveBytes.h"
#include "Platform/SystemBackend.h"
#include "Sound/src/WaveImpl.h"

// The real audio output under SDL's dummy driver; waits are bounded at 5 s.

namespace {

template <class Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < 5000 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return condition();
}

TEST(AudioOutputTest, ASoundPlaysToItsEndOnTheDummyDevice) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto backend = Platform::createSystemBackend();
  Platform::setBackend(backend.get());
  Engine::Sound::Manager::create();
  {
    const auto file = SoundTest::WaveBytes(1, 22050, 16).data16(std::vector<std::int16_t>(2205, 1000));
    Engine::Sound::Wave wave(Engine::Sound::Wave::Impl::fromBytes("beep.wav", file.bytes.data(), file.bytes.size()));
    Engine::Sound::Player player = Engine::Sound::Player::create(wave);
    player.play(false);
    EXPECT_TRUE(waitFor([&] { return !player.isPlaying(); }));
  }
  Engine::Sound::Manager::destroy();
  Platform::setBackend(nullptr);
}

}  // namespace
