#include "core/config/Config.h"

#include "Engine/Base/Assert.h"
#include "core/input/KeyInput.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

struct SettingDefault {
  const char* name;
  i32 count;
  i32 value;
};

constexpr std::array<SettingDefault, Config::kSettingCount> kSettingDefaults = {{
    {"windowSize", 4, 1},
    {"BGM", 2, 1},
    {"BGMVolume", 11, 3},
    {"SEVolume", 11, 3},
    {"antialias", 2, 1},
    {"textAntialias", 2, 1},
    {"textureFilter", 2, 1},
    {"VSync", 2, 1},
    {"fullScreen", 2, 0},
    {"pad", 2, 1},
    {"FPS", 2, 0},
    {"pixelShader", 2, 1},
    {"omit", 2, 0},
}};

// The logical keys whose joystick buttons the player chooses.
constexpr std::array<i32, Config::kBindingCount> kBoundKeys = {4, 5, 6, 8, 9, 10, 11};

struct WindowSize {
  u32 width;
  u32 height;
};

constexpr std::array<WindowSize, 4> kWindowSizes = {{{640, 480}, {800, 600}, {1024, 768}, {1280, 960}}};

constexpr i32 kDefaultWindowSizeIndex = 1;
constexpr double kSilentDecibels = -100.0;
constexpr i32 kMusicVolumeStep = 10;

}  // namespace

void Config::Setting::set(i32 value) {
  if (value >= mCount) {
    mValue = 0;
  } else if (value < 0) {
    mValue = mCount - 1;
  } else {
    mValue = value;
  }
}

Config::Targets& Config::targets() {
  static Targets sTargets;
  return sTargets;
}

Config& Config::instance() {
  static Config sConfig;
  return sConfig;
}

Config::Config() { setDefaults(); }

void Config::setDefaults() {
  mWindowSizeIndex = kDefaultWindowSizeIndex;
  for (std::size_t i = 0; i < mSettings.size(); ++i) {
    mSettings[i].mName = kSettingDefaults[i].name;
    mSettings[i].mCount = kSettingDefaults[i].count;
    mSettings[i].mValue = kSettingDefaults[i].value;
  }
  for (std::size_t i = 0; i < mBindings.size(); ++i) {
    mBindings[i].mKey = kBoundKeys[i];
    mBindings[i].mButton = KeyInput::joystickButton(kBoundKeys[i]);
  }
}

const Config::Setting& Config::setting(i32 index) const {
  ENGINE_ASSERT(index >= 0 && index < kSettingCount && "setting index out of range");
  return mSettings[static_cast<std::size_t>(index)];
}

Config::Setting& Config::setting(i32 index) {
  ENGINE_ASSERT(index >= 0 && index < kSettingCount && "setting index out of range");
  return mSettings[static_cast<std::size_t>(index)];
}

const Config::KeyBinding& Config::binding(i32 index) const {
  ENGINE_ASSERT(index >= 0 && index < kBindingCount && "binding index out of range");
  return mBindings[static_cast<std::size_t>(index)];
}

Config::KeyBinding& Config::binding(i32 index) {
  ENGINE_ASSERT(index >= 0 && index < kBindingCount && "binding index out of range");
  return mBindings[static_cast<std::size_t>(index)];
}

u32 Config::width() const {
  if (mWindowSizeIndex < 0 || mWindowSizeIndex >= static_cast<i32>(kWindowSizes.size())) {
    return 0;
  }
  return kWindowSizes[static_cast<std::size_t>(mWindowSizeIndex)].width;
}

u32 Config::height() const {
  if (mWindowSizeIndex < 0 || mWindowSizeIndex >= static_cast<i32>(kWindowSizes.size())) {
    return 0;
  }
  return kWindowSizes[static_cast<std::size_t>(mWindowSizeIndex)].height;
}

i32 Config::soundEffectVolume() const {
  double decibels = kSilentDecibels;
  for (i32 i = 0; i < setting(kSeVolume).value(); ++i) {
    decibels /= 2.0;
  }
  return static_cast<i32>(decibels);
}

i32 Config::musicVolume() const { return setting(kBgmVolume).value() * kMusicVolumeStep; }

void Config::apply() const {
  const Targets& to = targets();
  if (to.setTextureFiltering) {
    to.setTextureFiltering(setting(kTextureFilter).value() != 0);
  }
  if (to.rebuildFonts) {
    to.rebuildFonts();
  }
  if (to.setSoundEffectVolume) {
    to.setSoundEffectVolume(soundEffectVolume());
  }
  if (to.setMusicVolume) {
    to.setMusicVolume(musicVolume());
  }
  for (const KeyBinding& binding : mBindings) {
    KeyInput::setJoystickButton(binding.mKey, binding.mButton);
  }
}

}  // namespace Game
