#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "tests/core/config/ConfigFileText.h"
#include "tests/file/FileManagerFixture.h"

namespace {

using Game::Config;
using Game::ConfigTesting::kDefaultFile;
using Game::ConfigTesting::textOf;

// Settings are read before the file manager starts and saved through it.
class ConfigFileTest : public FileTestSupport::FileManagerTest {
 protected:
  void SetUp() override {
    FileManagerTest::SetUp();
    Game::KeyInput::setDefaultBindings();
  }
  void TearDown() override {
    Config::targets() = {};
    FileManagerTest::TearDown();
  }

  std::string diskFile() {
    const auto bytes = mBackend->fakeFileSystem.contents(Config::kFileName);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(none)");
  }

  PlatformFake::ScopedFakeBackend& mBackend = backend;
  std::vector<std::string>& mDebugLines = backend->fakeDebugOutput.lines;
};

TEST_F(ConfigFileTest, SaveWritesTheFileTextAndPlaysTheSavedSound) {
  static int sSavedSounds = 0;
  sSavedSounds = 0;
  Config::targets().playSavedSound = [] { ++sSavedSounds; };
  Config().save();
  EXPECT_EQ(diskFile(), kDefaultFile);
  EXPECT_EQ(sSavedSounds, 1);
}

TEST_F(ConfigFileTest, SavedSettingsLoadBackAndTheWindowSizeWaitsForTheNextStart) {
  Config config;
  config.load();
  config.setting(Config::kWindowSize).set(2);
  config.setting(Config::kOmit).set(1);
  config.binding(4).mButton = 131;
  config.save();
  EXPECT_EQ(config.width(), 800u);  // the running window keeps its size

  Config nextStart;
  nextStart.load();
  EXPECT_EQ(textOf(nextStart), textOf(config));
  EXPECT_EQ(nextStart.width(), 1024u);
  EXPECT_TRUE(mDebugLines.empty());
}

TEST_F(ConfigFileTest, ADamagedFileGivesTheDefaultsAndOneDebugLine) {
  mBackend->fakeFileSystem.put(Config::kFileName, "windowSize 3;\r\nkey{\r\n\tc 9;\r\n");
  Config config;
  config.load();
  EXPECT_EQ(textOf(config), kDefaultFile);
  ASSERT_EQ(mDebugLines.size(), 1u);
  EXPECT_NE(mDebugLines[0].find("config.ini"), std::string::npos);
}

TEST_F(ConfigFileTest, AFailedSaveKeepsTheOldFile) {
  Config config;
  config.save();
  config.setting(Config::kBgm).set(0);
  mBackend->fakeFileSystem.failWritesAfter(40);
  config.save();
  EXPECT_EQ(diskFile(), kDefaultFile);
  mBackend->fakeFileSystem.failWritesAfter(SIZE_MAX);
  mBackend->fakeFileSystem.failCommit(true);
  config.save();
  EXPECT_EQ(diskFile(), kDefaultFile);
  EXPECT_GE(mDebugLines.size(), 2u);  // the file manager reports each failed write too
  mBackend->fakeFileSystem.failCommit(false);
  config.save();
  EXPECT_NE(diskFile().find("BGM 0;"), std::string::npos);
}

}  // namespace
