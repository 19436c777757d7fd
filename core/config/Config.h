#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;

// The player's settings: 13 choices and the joystick buttons of the 7
// configurable logical keys, kept in "config.ini". One global instance; the
// settings menu edits a copy and assigns it back.
class Config {
 public:
  class Setting {
   public:
    const char* name() const { return mName; }
    Engine::i32 value() const { return mValue; }
    Engine::i32 count() const { return mCount; }
    // Wraps: at or above the count gives 0, below 0 gives count - 1.
    void set(Engine::i32 value);

   private:
    friend class Config;
    const char* mName = "";
    Engine::i32 mValue = 0;
    Engine::i32 mCount = 1;
  };

  struct KeyBinding {
    Engine::i32 mKey = 0;      // the logical key
    Engine::i32 mButton = -1;  // its joystick button, -1 for none
  };

  enum SettingIndex : Engine::i32 {
    kWindowSize,
    kBgm,
    kBgmVolume,
    kSeVolume,
    kAntialias,
    kTextAntialias,
    kTextureFilter,
    kVSync,
    kFullScreen,
    kPad,
    kFps,
    kPixelShader,
    kOmit,
    kSettingCount,
  };
  static constexpr Engine::i32 kBindingCount = 7;
  static constexpr const char* kFileName = "config.ini";

  // Where apply sends the values that other modules own. A target that is
  // not set (its module not built yet, or not running) is skipped.
  struct Targets {
    void (*setTextureFiltering)(bool on) = nullptr;
    void (*rebuildFonts)() = nullptr;
    void (*setSoundEffectVolume)(Engine::i32 decibels) = nullptr;
    void (*setMusicVolume)(Engine::i32 percent) = nullptr;
    void (*playSavedSound)() = nullptr;
  };
  static Targets& targets();

  // The global settings.
  static Config& instance();

  Config();

  // Defaults; the bindings copy the logical keys' current joystick buttons.
  void setDefaults();

  // Defaults, then whatever a readable "config.ini" holds. A damaged file
  // leaves the defaults and says so on the debug stream.
  void load();
  // The same from the file's text; false when the text is damaged.
  bool loadFromText(const char* text);
  // Writes "config.ini", replacing the old file only once the new one is
  // complete, then plays the "saved" sound; false (no sound, the old file
  // kept) when it could not be written.
  bool save() const;
  // Removes what saves of the file cut off by a kill left beside it.
  static void removeAbandonedWrites();
  // The file's text: CR LF lines, TAB-indented bindings.
  void toText(String& out) const;

  // Makes the settings take effect in the running game.
  void apply() const;

  const Setting& setting(Engine::i32 index) const;
  Setting& setting(Engine::i32 index);
  const KeyBinding& binding(Engine::i32 index) const;
  KeyBinding& binding(Engine::i32 index);

  // The window size in use: windowSize as loaded, not as changed since.
  Engine::i32 windowSizeIndex() const { return mWindowSizeIndex; }
  Engine::u32 width() const;
  Engine::u32 height() const;
  // -100 dB halved SEVolume times, truncated toward zero.
  Engine::i32 soundEffectVolume() const;
  // 0 to 100.
  Engine::i32 musicVolume() const;

 private:
  void readSettings(const NmlNode& root);
  void readBindings(const NmlNode& root);

  std::array<Setting, kSettingCount> mSettings;
  std::array<KeyBinding, kBindingCount> mBindings;
  Engine::i32 mWindowSizeIndex = 1;
};

}  // namespace Game
