#include <gtest/gtest.h>

#include <string>

#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "tests/core/config/ConfigFileText.h"

namespace {

using Game::Config;
using Game::ConfigTesting::kDefaultFile;
using Game::ConfigTesting::textOf;

class ConfigTextTest : public ::testing::Test {
 protected:
  void SetUp() override { Game::KeyInput::setDefaultBindings(); }
};

TEST_F(ConfigTextTest, WindowSizeAloneLeavesEverythingElseAtDefaults) {
  Config config;
  EXPECT_TRUE(config.loadFromText("windowSize 3;"));
  EXPECT_EQ(config.width(), 1280u);
  EXPECT_EQ(config.height(), 960u);
  Config expected;
  expected.setting(Config::kWindowSize).set(3);
  EXPECT_EQ(textOf(config), textOf(expected));
}

TEST_F(ConfigTextTest, ValuesOutsideTheirChoicesAndUnknownLinesAreIgnored) {
  Config config;
  EXPECT_TRUE(config.loadFromText(
      "BGMVolume 11;\nwindowSize -1;\nSEVolume 5;\nvolume 2;\nFPS;\nkey{x 9;y 3;c 132;z -2;w -1;}"));
  EXPECT_EQ(config.setting(Config::kBgmVolume).value(), 3);
  EXPECT_EQ(config.windowSizeIndex(), 1);
  EXPECT_EQ(config.setting(Config::kSeVolume).value(), 5);
  EXPECT_EQ(config.setting(Config::kFps).value(), 0);  // a line without a value
  EXPECT_EQ(config.binding(1).mButton, 9);             // x
  EXPECT_EQ(config.binding(0).mButton, 0);             // c: past the last button
  EXPECT_EQ(config.binding(2).mButton, 2);             // z: below "none"
  EXPECT_EQ(config.binding(6).mButton, -1);            // w: none
}

TEST_F(ConfigTextTest, DamagedTextGivesTheDefaults) {
  Config config;
  for (const char* damaged : {"}", "windowSize 3;}", "windowSize 3;\r\nkey{\r\n\tc 9;\r\n", "windowSize 2",
                              "windowSize 3;\r\nFPS \xFF;"}) {
    config.setting(Config::kOmit).set(1);
    EXPECT_FALSE(config.loadFromText(damaged)) << damaged;
    EXPECT_EQ(textOf(config), kDefaultFile) << damaged;
  }
}

// A file cut anywhere loads as the defaults, unless the cut falls exactly
// after a complete settings line or in the final line break (then what
// precedes it is a whole file).
TEST_F(ConfigTextTest, AFileCutShortLoadsAsTheDefaults) {
  Config saved;
  saved.setting(Config::kWindowSize).set(3);
  saved.setting(Config::kFps).set(1);
  saved.binding(6).mButton = 9;
  const std::string whole = textOf(saved);
  for (std::size_t cut = 1; cut < whole.size(); ++cut) {
    const std::string part = whole.substr(0, cut);
    const std::size_t last = part.find_last_not_of("\r\n");
    const bool complete = last != std::string::npos && part[last] == '}';
    const bool wholeLines =
        complete || (part.find('{') == std::string::npos && last != std::string::npos && part[last] == ';');
    Config config;
    EXPECT_EQ(config.loadFromText(part.c_str()), wholeLines) << cut;
    if (!wholeLines) {
      EXPECT_EQ(textOf(config), kDefaultFile) << cut;
    }
  }
  Config config;
  EXPECT_TRUE(config.loadFromText((whole + "// kept by hand\r\n").c_str()));
  EXPECT_EQ(textOf(config), whole);
}

}  // namespace
