#include <gtest/gtest.h>

#include <vector>

#include "core/config/Config.h"
#include "core/input/KeyInput.h"

namespace {

using Game::Config;
namespace KeyInput = Game::KeyInput;

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override { KeyInput::setDefaultBindings(); }
  void TearDown() override {
    Config::targets() = {};
    KeyInput::setDefaultBindings();
  }
};

TEST_F(ConfigTest, SoundEffectVolumeHalvesFromSilenceAndTruncates) {
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

TEST_F(ConfigTest, ApplySendsEachValueToItsTargetAndRebindsTheKeys) {
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
  EXPECT_EQ(KeyInput::joystickButton(4), 9);
  EXPECT_EQ(KeyInput::joystickButton(8), -1);
  EXPECT_EQ(KeyInput::joystickButton(9), 5);
}

}  // namespace
