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
  Config config;
  config.load();
  config.save();
  EXPECT_EQ(diskFile(), kDefaultFile);
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
  // A file over the read limit is never read in.
  fs().put(Config::kFileName, std::string(Engine::FileIO::kDiskFileLimit + 1, 'x'));
  config.load();
  EXPECT_EQ(debugLines().back(), "config.ini : cannot be read; the default settings are used\n");
}

}  // namespace
