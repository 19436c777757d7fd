#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/WaveBytes.h"
#include "Platform/SystemBackend.h"
#include "Sound/src/WaveImpl.h"

// The real audio output, under SDL's dummy driver:
// it opens, pulls and closes; with no driver at all it runs silent but still
// pulls. Waits are for the audio thread's first calls, bounded at 5 s.

namespace {

class CountingSource : public Platform::AudioSource {
 public:
  void render(std::int16_t* frames, std::size_t frameCount) override {
    for (std::size_t i = 0; i < frameCount * Platform::kAudioChannels; ++i) {
      frames[i] = 0;
    }
    rendered += frameCount;
  }
  std::atomic<std::size_t> rendered{0};
};

template <class Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < 5000 && !condition(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return condition();
}

// Each test runs in its own process, so the driver chosen stays with it.
void useDummyDriver() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

TEST(AudioOutputTest, TheDummyDeviceOpensPullsAndCloses) {
  useDummyDriver();
  auto backend = Platform::createSystemBackend();
  CountingSource source;
  EXPECT_TRUE(backend->audioOutput().start(source));
  EXPECT_TRUE(waitFor([&] { return source.rendered > 0; }));
  backend->audioOutput().stop();
  const std::size_t afterStop = source.rendered;
  backend->audioOutput().stop();
  EXPECT_EQ(source.rendered, afterStop);
}

TEST(AudioOutputTest, WithoutADeviceTheSourceIsStillPulledSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  auto backend = Platform::createSystemBackend();
  CountingSource source;
  EXPECT_FALSE(backend->audioOutput().start(source));
  EXPECT_TRUE(waitFor([&] { return source.rendered > 0; }));
  backend->audioOutput().stop();
  useDummyDriver();
}

TEST(AudioOutputTest, ASoundPlaysToItsEndOnTheDummyDevice) {
  useDummyDriver();
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
