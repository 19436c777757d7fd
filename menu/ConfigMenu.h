#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/config/Config.h"
#include "core/container/AutoPtr.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/ui/SmoothPoint.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class KeyAssignMenu;

// One option row of the settings menu: which setting of the working copy it
// edits and how its value reads.
struct ConfigRow {
  String label;
  // Value texts by index; empty for numbers or on/off.
  std::vector<String> choices;
  // The change takes effect at the next start.
  bool restart = false;
  Config::SettingIndex setting = Config::kWindowSize;
};

// The settings menu of the title and the camp menu. It edits a copy of the
// global settings: only "保存" writes the copy back, applies it and saves
// "config.ini"; leaving by the first row drops whatever was not saved.
class ConfigMenu {
 public:
  enum Row : Engine::i32 { kBack, kSave, kDefault, kKeys, kFirstOption };
  static constexpr Engine::i32 kOptionCount = 13;
  static constexpr Engine::i32 kRowCount = kFirstOption + kOptionCount;
  // Text is in font 2 (26 units a full-width character), the restart note in
  // font 1 (20 units), its foot on its row's. Columns from the panel's left
  // edge: labels, then values, then the note, each clear of the widest text
  // before it ("テクスチャフィルター" is 260 units wide, "フルスクリーン"
  // 182), the note (140) inside the panel. The values keep 10 units from the
  // labels and the note a character of font 2 from the values, or the two
  // read as one word.
  static constexpr Engine::i32 kFont = 2;
  static constexpr Engine::i32 kNoteFont = 1;
  static constexpr float kFrameWidth = 640.f;
  static constexpr float kValueColumn = 270.f;
  static constexpr float kRestartColumn = 478.f;

  ConfigMenu();
  ~ConfigMenu();
  ConfigMenu(const ConfigMenu&) = delete;
  ConfigMenu& operator=(const ConfigMenu&) = delete;

  // Once per frame: true when the menu is to close.
  bool update();

  Engine::i32 cursor() const { return mCursor; }
  bool isChanged() const { return mChanged; }
  bool isAssigningKeys() const { return mKeyMenu.isValid(); }
  // The settings could not be saved: a message waits for decide.
  bool isShowingMessage() const { return !mMessages.isEmpty(); }
  const Config& workingCopy() const { return mWork; }
  // An option row; a button row or one past the last is a fault (throws).
  const ConfigRow& option(Engine::i32 row) const { return mOptions.at(static_cast<std::size_t>(row - kFirstOption)); }
  // Where the cursor mark stands: it glides to the cursor's row.
  const SmoothPoint& cursorPoint() const { return mCursorPoint; }
  // Any row's label; the first row's reads "保存せずもどる" once something changed.
  const char* label(Engine::i32 row) const;
  // What an option row shows as its value.
  String valueText(Engine::i32 row) const;
  // Beside the rows whose change waits for the next start.
  static const char* restartNote();

 private:
  void buildOptions();
  void addOption(const char* label, const char* choices, Config::SettingIndex setting, bool restart);
  // True when the menu closes.
  bool pressButton();
  void changeValue();
  void moveCursor();
  void draw();

  bool mChanged = false;
  Engine::i32 mFrameCount = 0;
  Engine::i32 mCursor = 0;
  SmoothPoint mCursorPoint;
  Config mWork;
  std::vector<ConfigRow> mOptions;
  AutoPtr<KeyAssignMenu> mKeyMenu;
  OwnedList<ListMenu> mMessages;
};

}  // namespace Game
