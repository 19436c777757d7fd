#include <gtest/gtest.h>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/Player.h"
#include "Engine/Sound/Wave.h"
#include "Engine/Sound/WaveBytes.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::FileIO::ManagerImpl;
using Engine::Sound::Player;
using Engine::Sound::Wave;

// Waves loaded by name through the file manager, whose loader is pumped by hand.
class WaveFileTest : public ::testing::Test {
 protected:
  WaveFileTest() {
    Engine::FileIO::ManagerOptions options;
    options.startLoader = false;
    options.abortOnError = false;
    ManagerImpl::create(nullptr, 0, 1, options);
    Engine::Sound::Manager::create();
  }
  ~WaveFileTest() override {
    Engine::Sound::Manager::destroy();
    ManagerImpl::destroy();
  }
  static void pump() {
    while (ManagerImpl::instance()->serveRound()) {}
  }

  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(WaveFileTest, AWaveIsReadyOnceItsFileHasArrivedAndMissingOrBrokenFilesGiveAnError) {
  backend->fakeFileSystem.put("src/sound/beep.wav", SoundTest::WaveBytes(2, 44100, 16).data16({5, -5}).bytes);
  backend->fakeFileSystem.put("src/sound/empty.wav", "RIFF");
  Wave wave = Wave::create("src/sound/beep.wav");
  Wave missing = Wave::create("src/sound/missing.wav");
  Wave broken = Wave::create("src/sound/empty.wav");
  EXPECT_FALSE(wave.isReady());
  pump();
  ASSERT_TRUE(wave.isReady() && missing.isReady() && broken.isReady());
  EXPECT_FALSE(wave.isError());
  EXPECT_TRUE(missing.isError());
  EXPECT_TRUE(broken.isError());
  EXPECT_EQ(backend->fakeDebugOutput.lines.back(), "Sound : too short for a WAV header ( src/sound/empty.wav )\n");
  Player player = Player::create(wave);
  player.play(false);
  EXPECT_EQ(backend->fakeAudioOutput.pull(2), std::vector<std::int16_t>({5, -5, 0, 0}));
}

}  // namespace
