#pragma once

#include "Engine/Base/Types.h"
#include "core/container/AutoPtr.h"
#include "running/game/SubScene.h"
#include "live/widget/ContentMenu.h"
#include "presentation/widget/MessageWindow.h"

namespace Game {

class GameData;
class MapSiteData;
class NumberInput;
class Script;

// The screen between outings, in the game scene's shop slot: the player
// picks an opened site (or the shop) and, for a dungeon reached deeper
// than its first floor, the floor to start from; the field then opens
// there.
class ContinueScene : public SubScene {
 public:
  static constexpr const char* kTune = "自宅";
  static constexpr const char* kContinueScript = "src/data/script/continue.txt";
  static constexpr const char* kShopScript = "src/data/script/shop.txt";
  static constexpr const char* kTitle = "行き先";
  static constexpr const char* kShopRow = "Wrenfold";
  static constexpr Engine::i32 kShopId = -1;
  static constexpr Engine::i32 kVisibleRows = 12;
  static constexpr Engine::i32 kFadeOutFrame = 30;
  static constexpr Engine::i32 kLeaveFrame = 121;

  explicit ContinueScene(GameData& game);
  ~ContinueScene() override;
  ContinueScene(const ContinueScene&) = delete;
  ContinueScene& operator=(const ContinueScene&) = delete;

  // One frame; true once the field has been made.
  bool update() override;

  const ListMenu& destinations() const { return mList.list(); }
  const MapSiteData* chosen() const { return mChosen; }
  const NumberInput* floorInput() const { return mFloorInput.get(); }
  bool isScriptRunning() const { return mScript.isValid(); }
  // The continue or the shop script while it runs; null otherwise.
  const Script* script() const { return mScript.get(); }
  MessageWindow& talk() { return mTalk; }
  Engine::i32 counter() const { return mCounter; }

 private:
  void buildDestinations();
  void runScript(const char* path);
  void updateFloorInput();
  bool leave();
  void choose(Engine::i32 id);

  GameData& mGame;
  ContentMenu mList;
  MessageWindow mTalk;
  const MapSiteData* mChosen = nullptr;
  AutoPtr<NumberInput> mFloorInput;
  Engine::i32 mCounter = 0;
  // The continue or the shop script while it runs.
  AutoPtr<Script> mScript;
};

}  // namespace Game
