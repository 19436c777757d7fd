#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "tests/core/config/ConfigFileText.h"

namespace {

using Game::Config;
using Game::ConfigTesting::kDefaultFile;
using Game::ConfigTesting::textOf;

namespace KeyInput = Game::KeyInput;

class ConfigTextTest : public ::testing::Test {
 protected:
  void SetUp() override { KeyInput::setDefaultBindings(); }
  void TearDown() override {
    Config::targets() = {};
    KeyInput::setDefaultBindings();
  }
};

// An editor's UTF-8 byte-order mark before the first line is skipped.
TEST_F(ConfigTextTest, WindowSizeAloneLeavesEverythingElseAtDefaults) {
  Config expected;
  expected.setting(Config::kWindowSize).set(3);
  for (const char* text : {"windowSize 3;", "\xEF\xBB\xBFwindowSize 3;"}) {
    Config config;
    EXPECT_TRUE(config.loadFromText(text));
    EXPECT_EQ(std::tuple(config.width(), config.height(), textOf(config)), std::tuple(1280u, 960u, textOf(expected)));
  }
}

TEST_F(ConfigTextTest, ValuesOutsideTheirChoicesAndUnknownLinesAreIgnored) {
  Config config;
  EXPECT_TRUE(config.loadFromText(
      "BGMVolume 11;\nwindowSize -1;\nSEVolume 5;\nvolume 2;\nFPS;\nkey{x 9;y 3;c 132;z -2;w -1;}"));
  // FPS: a line without a value; keys c past the last button, z below "none", w none.
  EXPECT_EQ(std::vector<int>({config.setting(Config::kBgmVolume).value(), config.windowSizeIndex(),
                              config.setting(Config::kSeVolume).value(), config.setting(Config::kFps).value(),
                              config.binding(1).mButton, config.binding(0).mButton, config.binding(2).mButton,
                              config.binding(6).mButton}),
            std::vector<int>({3, 1, 5, 0, 9, 0, 2, -1}));
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

TEST_F(ConfigTextTest, SoundEffectVolumeHalvesFromSilenceAndTruncates) {
  Config config;
  const std::vector<int> expected = {-100, -50, -25, -12, -6, -3, -1, 0, 0, 0, 0};
  for (int level = 0; level <= 10; ++level) {
    config.setting(Config::kSeVolume).set(level);
    EXPECT_EQ(config.soundEffectVolume(), expected[static_cast<std::size_t>(level)]) << level;
  }
  config.setting(Config::kBgmVolume).set(7);
  EXPECT_EQ(config.musicVolume(), 70);
}

struct Applied {
  std::vector<bool> filtering;
  int fontRebuilds = 0;
  std::vector<int> soundEffectVolumes;
  std::vector<int> musicVolumes;
};
Applied gApplied;

TEST_F(ConfigTextTest, ApplySendsEachValueToItsTargetAndRebindsTheKeys) {
  Config config;
  config.binding(0).mButton = 9;    // key 4
  config.binding(3).mButton = -1;   // key 8
  config.binding(4).mButton = 500;  // key 9: out of range, stays
  config.setting(Config::kTextureFilter).set(0);
  config.setting(Config::kSeVolume).set(1);
  config.setting(Config::kBgmVolume).set(10);
  config.apply();  // no target set yet: only the keys
  EXPECT_EQ(KeyInput::joystickButton(4), 9);

  gApplied = {};
  Config::Targets& targets = Config::targets();
  targets.setTextureFiltering = [](bool on) { gApplied.filtering.push_back(on); };
  targets.rebuildFonts = [] { ++gApplied.fontRebuilds; };
  targets.setSoundEffectVolume = [](int decibels) { gApplied.soundEffectVolumes.push_back(decibels); };
  targets.setMusicVolume = [](int percent) { gApplied.musicVolumes.push_back(percent); };
  config.apply();
  EXPECT_EQ(gApplied.filtering, std::vector<bool>{false});
  EXPECT_EQ(gApplied.fontRebuilds, 1);
  EXPECT_EQ(gApplied.soundEffectVolumes, std::vector<int>{-50});
  EXPECT_EQ(gApplied.musicVolumes, std::vector<int>{100});
  EXPECT_EQ(std::vector<int>({KeyInput::joystickButton(4), KeyInput::joystickButton(8), KeyInput::joystickButton(9)}),
            std::vector<int>({9, -1, 5}));
}

}  // namespace
