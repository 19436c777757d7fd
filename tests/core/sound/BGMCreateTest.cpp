#include <gtest/gtest.h>

#include "Engine/Sound/Manager.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/sound/BGM.h"
#include "core/sound/OggBGM.h"

namespace {

using Game::BGM;
using Game::Config;

// The table read from "bgm/bgm.txt" through the running file loader.
class BGMCreateTest : public ::testing::Test {
 protected:
  BGMCreateTest() {
    Engine::Threading::Manager::create(1);
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions());
    Engine::Sound::Manager::create();
    backend->fakeFileSystem.put("bgm/bgm.txt", "T{ file t; loop 1; }");
  }
  ~BGMCreateTest() override {
    BGM::destroy();
    Config::instance().setDefaults();
    Engine::Sound::Manager::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
  }

  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(BGMCreateTest, TheMusicSettingChoosesThePlayerAndTheVolumeSettingReachesIt) {
  Config::instance().setting(Config::kBgm).set(0);
  BGM::create();
  ASSERT_NE(BGM::instance(), nullptr);
  EXPECT_EQ(dynamic_cast<Game::OggBGM*>(BGM::instance()), nullptr);
  EXPECT_STREQ(BGM::instance()->tune(0).mFile.c_str(), "bgm/t.ogg");
  BGM::destroy();

  Config::instance().setting(Config::kBgm).set(1);
  BGM::create();
  EXPECT_NE(dynamic_cast<Game::OggBGM*>(BGM::instance()), nullptr);
  EXPECT_NE(Config::targets().setMusicVolume, nullptr);
  Config::instance().apply();
  BGM::destroy();
  EXPECT_EQ(Config::targets().setMusicVolume, nullptr);
}

}  // namespace
