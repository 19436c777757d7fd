#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "core/container/AutoPtr.h"
#include "core/container/OwnedList.h"
#include "running/game/SubScene.h"
#include "presentation/resource/ResourceSet.h"
#include "map/SceneModelSet.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/widget/RingMenu.h"

namespace Game {

class ConfigMenu;
class GameData;
class ListMenu;
class SaveSlotMenu;

// The first screen: stars (scene nodes) fall over the backdrop scene while
// the title plays, then a ring of models
// offers a new game, a saved game, the memory save (when there is one), the
// settings and quitting. Holding keys 2, 6 and 12 opens a list that plays
// any tune.
class TitleScene final : public TitleStage {
 public:
  enum Item : Engine::i32 { kStart = 0, kLoad = 1, kMemoryLoad = 2, kConfig = 3, kQuit = 4 };
  static constexpr Engine::i32 kStarCount = 128;
  // The ring shows by itself at this frame; a decide press jumps the title
  // to the frame before it.
  static constexpr Engine::i32 kMenuFrame = 193;
  static constexpr const char* kResourceFile = "src/picture/title/main.txt";
  static constexpr const char* kSceneFile = "src/picture/title/scene.txt";
  static constexpr const char* kTune = "タイトル";
  static constexpr const char* kUnreadableSave = "このファイルは読み込めません";

  explicit TitleScene(bool hasMemorySave);
  ~TitleScene() override;
  TitleScene(const TitleScene&) = delete;
  TitleScene& operator=(const TitleScene&) = delete;

  // 0 running, 1 a game is to start, 2 quit.
  Engine::i32 update() override;
  // After 1: the game the load menu read, a new game for "start", or null
  // for "memoryLoad" (the caller builds it from the memory save). The
  // caller owns it.
  GameData* takeGame() override;

  Engine::i32 frame() const { return mFrame; }
  bool isMenuShown() const { return mMenuShown; }
  Engine::i32 selectedItem() const { return mRing.selectedItem(); }
  const RingMenu& ring() const { return mRing; }
  const SceneNodePool& nodes() const { return mNodes; }
  const SceneModelSet& scene() const { return mScene; }
  bool isConfigOpen() const { return mConfigMenu.isValid(); }
  bool isLoadOpen() const { return mLoadMenu.isValid(); }
  const SaveSlotMenu* loadMenu() const { return mLoadMenu.get(); }
  const ListMenu* musicList() const { return mMusicList.get(); }

 private:
  void placeStars();
  void addRingItems(bool hasMemorySave);
  // The open sub-menu's frame; false when none is open.
  bool updateSubMenu(Engine::i32* result);
  Engine::i32 updateLoadMenu();
  void updateMusicList();
  Engine::i32 updateRing();
  void openMusicList();

  ResourceSet mResources;
  SceneModelSet mScene;
  // After the models it plays, so it goes first.
  SceneNodePool mNodes{SceneNodePool::kSceneCapacity};
  AutoPtr<ConfigMenu> mConfigMenu;
  AutoPtr<SaveSlotMenu> mLoadMenu;
  AutoPtr<ListMenu> mMusicList;
  std::unique_ptr<GameData> mLoadedGame;
  OwnedList<ListMenu> mMessages;
  Engine::i32 mFrame = 0;
  bool mMenuShown = false;
  RingMenu mRing{15.f, 256.f};
};

}  // namespace Game
