#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "Engine/Sound/Manager.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/sound/OggBGM.h"
#include "file/nml/NmlDocument.h"

namespace {

// A clock both threads may read; a pause only lets other threads run.
class SharedClock : public Platform::Clock {
 public:
  std::uint32_t milliseconds() override { return mNow.load(); }
  void sleep(std::uint32_t ms) override {
    mNow += ms;
    std::this_thread::yield();
  }

 private:
  std::atomic<std::uint32_t> mNow{0};
};

// The streaming job on the worker pool, the file loader on its own job, and
// the test pulling the sound device's output.
TEST(MusicThreadTest, TheJobStreamsTheChosenTuneAndShutdownJoinsIt) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::Threading::Manager::create(1);
  Engine::FileIO::ManagerOptions options;
  options.abortOnError = false;
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
  Engine::Sound::Manager::create();
  const std::vector<std::int16_t> tune(44100, 1000);
  backend->fakeFileSystem.put("bgm/a.ogg", PlatformFake::FakeVorbisDecoder::encode(44100, 1, tune));
  Game::NmlDocument table;
  table.loadFromText("bgm/bgm.txt", "A{ file a; loop 0; }");
  SharedClock clock;
  Game::OggBGMOptions bgmOptions;
  bgmOptions.clock = &clock;
  bgmOptions.decoder = &backend->fakeVorbisDecoder;

  auto bgm = std::make_unique<Game::OggBGM>(table, "bgm/bgm.txt", bgmOptions);
  bgm->setVolume(100);
  bgm->play("A");
  while (bgm->playbackTime() == 0.0) {
    std::this_thread::yield();
  }
  // Less than the first fill holds, since the output is pulled faster than
  // the job may be scheduled.
  EXPECT_EQ(backend->fakeAudioOutput.pull(20000).back(), 1000);
  bgm->play("A");
  bgm->stop();
  bgm.reset();  // sets the stop flag and waits for the job

  Engine::Sound::Manager::destroy();
  Engine::FileIO::ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
}

}  // namespace
