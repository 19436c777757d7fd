#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Engine/FileIO/DiskFile.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "tests/core/config/ConfigFileText.h"
#include "tests/core/file/FileManagerFixture.h"

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
    const auto bytes = fs().contents(Config::kFileName);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(none)");
  }
};

TEST_F(ConfigFileTest, SavedSettingsLoadBackAndTheWindowSizeWaitsForTheNextStart) {
  static int sSavedSounds = 0;
  sSavedSounds = 0;
  Config::targets().playSavedSound = [] { ++sSavedSounds; };
  Config config;
  config.load();
  config.save();
  EXPECT_EQ(diskFile(), kDefaultFile);
  EXPECT_EQ(sSavedSounds, 1);
  config.setting(Config::kWindowSize).set(2);
  config.setting(Config::kOmit).set(1);
  config.binding(4).mButton = 131;
  config.save();
  EXPECT_EQ(config.width(), 800u);  // the running window keeps its size

  Config nextStart;
  nextStart.load();
  EXPECT_EQ(textOf(nextStart), textOf(config));
  EXPECT_EQ(nextStart.width(), 1024u);
  EXPECT_TRUE(debugLines().empty());
}

// A stray '}' fails the whole file, not only what follows it: the settings
// before it are not kept either, and nothing halts.
TEST_F(ConfigFileTest, AStrayCloseGivesTheDefaultsAndSaysWhere) {
  fs().put(Config::kFileName, "windowSize 3;\r\n}\r\nFPS 1;\r\n");
  Config config;
  config.load();
  EXPECT_EQ(textOf(config), kDefaultFile);
  EXPECT_EQ(debugLines(), (std::vector<std::string>{"nml : '}' closes no node ( nml text line 2 )\n",
                                                     "config.ini : damaged or cut short; the default settings are used\n"}));
}

// A file over the read limit is never read in: the defaults, and a line
// saying so. One at the limit is read.
TEST_F(ConfigFileTest, AFileOverTheLimitGivesTheDefaults) {
  for (const std::uint64_t size : {Engine::FileIO::kDiskFileLimit, Engine::FileIO::kDiskFileLimit + 1}) {
    std::string text = "windowSize 3;\r\n//";
    text.resize(size, 'x');
    fs().put(Config::kFileName, text);
    debugLines().clear();
    Config config;
    config.load();
    const bool over = size > Engine::FileIO::kDiskFileLimit;
    EXPECT_EQ(config.windowSizeIndex(), over ? 1 : 3);
    EXPECT_EQ(debugLines(), over ? std::vector<std::string>{"config.ini : cannot be read; the default settings are used\n"}
                                 : std::vector<std::string>{});
  }
}

// Only the failure to put the new file in place is tried here: the file
// manager's own tests try the others.
TEST_F(ConfigFileTest, AFailedSaveKeepsTheOldFile) {
  Config config;
  config.save();
  config.setting(Config::kBgm).set(0);
  fs().failCommit(true);
  config.save();
  EXPECT_EQ(diskFile(), kDefaultFile);
  fs().failCommit(false);
  config.save();
  EXPECT_NE(diskFile().find("BGM 0;"), std::string::npos);
}

}  // namespace
