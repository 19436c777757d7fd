#pragma once

#include "core/container/AutoPtr.h"
#include "running/game/SubScene.h"
#include "live/widget/ContentMenu.h"

namespace Game {

class ConfigMenu;
class GameData;
class PlayerGhost;
class SaveSlotMenu;

namespace IntermissionStuff {

// One screen of the camp menu, opened from its top menu.
class Phase {
 public:
  virtual ~Phase() = default;
  // One frame; non-zero when the screen is finished.
  virtual Engine::i32 update(GameData& game) = 0;
};

}  // namespace IntermissionStuff

// The camp menu: a top menu that opens one screen at a time over the party
// list and the game's records, the settings or the save list. The opener
// picks the save row: none, the memory save or the save file.
class Intermission : public SubScene {
 public:
  enum SaveMode : Engine::i32 { kNoSave = 0, kMemorySave = 1, kFileSave = 2 };
  enum Row : Engine::i32 {
    kStatus = 1,
    kEquip = 2,
    kMasterSkill = 3,
    kStatusBoost = 4,
    kTool = 5,
    kFormation = 6,
    kSwap = 7,
    kConfig = 9,
    kSave = 10,
    kQuickSave = 11,
  };
  static constexpr float kTopX = -320.f;
  static constexpr float kTopY = 240.f;
  static constexpr float kPartyX = -80.f;
  static constexpr float kPartyY = 240.f;
  static constexpr float kRecordGap = 32.f;
  static constexpr Engine::i32 kRecordLines = 127;
  static constexpr Engine::u32 kRowColor = 0xFFC0C0C0;
  static constexpr Engine::i32 kFont = 1;

  Intermission(GameData& game, Engine::i32 saveMode);
  ~Intermission() override;
  Intermission(const Intermission&) = delete;
  Intermission& operator=(const Intermission&) = delete;

  // One frame of the open screen, else of the top menu; true once closed
  // or cancelled out of.
  bool update() override;
  // The next update finishes (an item's script may close the camp).
  void close() { mClosing = true; }
  bool isClosing() const { return mClosing; }

  // The top menu, the records below it and the party list. Choosing, the
  // party list takes the keys: 1 a member was chosen, 2 cancelled, 0 not
  // yet; else 1.
  Engine::i32 drawTop(bool choosing);
  // The member under the party list's cursor (or its i-th choice); null
  // without one.
  PlayerGhost* chosenGhost(Engine::i32 i = 0) const;
  // The party list anew, after the members changed.
  void rebuildParty();

  GameData& game() const { return mGame; }
  Engine::i32 saveMode() const { return mSaveMode; }
  ContentMenu& top() { return mTop; }
  GhostMenu& party() { return mParty; }
  IntermissionStuff::Phase* phase() const { return mPhase.get(); }
  ConfigMenu* configMenu() const { return mConfigMenu.get(); }
  SaveSlotMenu* saveMenu() const { return mSaveMenu.get(); }

 private:
  void buildTop();
  // True once cancelled.
  bool updateTop();
  void open(Engine::i32 row);

  GameData& mGame;
  Engine::i32 mSaveMode;
  bool mClosing = false;
  ContentMenu mTop;
  GhostMenu mParty;
  AutoPtr<SaveSlotMenu> mSaveMenu;
  AutoPtr<ConfigMenu> mConfigMenu;
  AutoPtr<IntermissionStuff::Phase> mPhase;
};

}  // namespace Game
