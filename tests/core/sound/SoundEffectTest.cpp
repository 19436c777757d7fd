#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/WaveBytes.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/sound/SoundEffectList.h"
#include "core/sound/SoundEffectManager.h"
#include "file/FileLoader.h"
#include "file/nml/NmlDocument.h"

namespace {

using Game::SoundEffectList;
using Game::SoundEffectManager;
using Samples = std::vector<std::int16_t>;

constexpr int kWaveFrames = 4000;

class SoundEffectTest : public ::testing::Test {
 protected:
  SoundEffectTest() {
    Engine::FileIO::ManagerOptions options;
    options.startLoader = false;
    options.abortOnError = false;
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
    Engine::Sound::Manager::create();
    Game::FileLoader::create();
    SoundEffectManager::create();
    Game::SoundEffect::setGlobalVolume(0);
    Samples ramp(kWaveFrames);
    for (int i = 0; i < kWaveFrames; ++i) ramp[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i + 1);
    backend->fakeFileSystem.put("se/ramp.wav", SoundTest::WaveBytes(1, 44100, 16).data16(ramp).bytes);
  }
  ~SoundEffectTest() override {
    mList.reset();
    SoundEffectManager::destroy();
    Game::FileLoader::destroy();
    Engine::Sound::Manager::destroy();
    Engine::FileIO::ManagerImpl::destroy();
  }

  // Reads list text as the list files are read, and waits for the waves.
  void loadList(const char* text) {
    Game::NmlDocument document;
    document.loadFromText("list.txt", text);
    mList = std::make_unique<SoundEffectList>();
    mList->readNode(document, nullptr);
    while (Engine::FileIO::ManagerImpl::instance()->serveRound()) {
    }
    ASSERT_TRUE(mList->allReady());
  }
  std::int16_t nextSample() { return backend->fakeAudioOutput.pull(1)[0]; }
  void update() { SoundEffectManager::instance()->update(); }

  PlatformFake::ScopedFakeBackend backend;
  std::unique_ptr<SoundEffectList> mList;
};

TEST_F(SoundEffectTest, ASoundDelayedByDFramesIsFirstHeardAfterUpdateDPlusOne) {
  loadList("se{ ramp ramp; }");
  mList->play("ramp", 2);
  for (int frame = 1; frame <= 2; ++frame) {
    update();
    EXPECT_EQ(nextSample(), 0) << "after update " << frame;
  }
  update();
  EXPECT_EQ(nextSample(), 1);
  backend->fakeAudioOutput.pull(kWaveFrames);
  update();
  EXPECT_EQ(SoundEffectManager::instance()->count(), 0);  // finished and dropped
}

TEST_F(SoundEffectTest, StartDoesNotRestartAPlayingSoundButPlayLetsCopiesOverlap) {
  loadList("se{ ramp ramp; }");
  mList->start("ramp", 0);
  mList->start("ramp", 0);
  EXPECT_EQ(nextSample(), 1);  // heard once, not twice
  backend->fakeAudioOutput.pull(99);
  mList->start("ramp", 0);
  EXPECT_EQ(nextSample(), 101);  // still going, not rewound

  backend->fakeAudioOutput.pull(kWaveFrames);
  mList->play("ramp", 0);
  mList->play("ramp", 0);
  update();
  EXPECT_EQ(nextSample(), 2);
}

TEST_F(SoundEffectTest, AQueuedSoundStillPlaysAfterItsListIsGone) {
  loadList("se{ ramp ramp; }");
  mList->play("ramp", 1);
  mList.reset();
  update();
  update();
  EXPECT_EQ(nextSample(), 1);
}

}  // namespace
