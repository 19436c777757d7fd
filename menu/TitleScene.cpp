#include "menu/TitleScene.h"

#include "running/game/GameData.h"
#include "running/game/SaveSlot.h"
#include "running/game/SaveSlotMenu.h"
#include "core/input/KeyInput.h"
#include "core/random/RandomGenerator.h"
#include "core/sound/BGM.h"
#include "menu/ConfigMenu.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kTitleDecideKey = 5;
constexpr i32 kCancelKey = 6;
constexpr i32 kMusicKey = 12;
constexpr i32 kTitleRingDecided = 1;
constexpr i32 kStarHalfWidth = 400;
constexpr i32 kStarHalfHeight = 275;
constexpr float kStarLift = 50.f;
constexpr Engine::u32 kTuneColor = 0xFFC0C0C0;
constexpr i32 kListFont = 2;

const char* itemModel(TitleScene::Item item) {
  switch (item) {
    case TitleScene::kStart:
      return "start";
    case TitleScene::kLoad:
      return "load";
    case TitleScene::kMemoryLoad:
      return "memoryLoad";
    case TitleScene::kConfig:
      return "config";
    case TitleScene::kQuit:
      return "quit";
  }
  return "";
}

}  // namespace

TitleScene::TitleScene(bool hasMemorySave) {
  SceneRenderer* renderer = SceneRenderer::instance();
  renderer->setFadeLevel(255);
  renderer->setFadeTarget(0);
  if (BGM* music = BGM::instance()) {
    music->play(kTune);
  }
  renderer->camera().reset();
  mResources.load(kResourceFile);
  mScene.load(kSceneFile);
  placeStars();
  addRingItems(hasMemorySave);
}

TitleScene::~TitleScene() = default;

void TitleScene::placeStars() {
  Model* star = mResources.findModel("星");
  RandomGenerator* random = RandomGenerator::instance();
  for (i32 i = 0; i < kStarCount; ++i) {
    Engine::Math::Vector3 position(0.f, 0.f, 0.f);
    if (random) {
      position.x = random->getSignedFloat(kStarHalfWidth);
      position.y = random->getSignedFloat(kStarHalfHeight) + kStarLift;
    }
    SceneNode* node = mNodes.create(star);
    node->position.setValue(position);
    node->setTime(static_cast<float>(i));
    // The stars fall over the interface space.
    node->baseState.frontEnd = true;
  }
}

void TitleScene::addRingItems(bool hasMemorySave) {
  for (Item item : {kStart, kLoad, kMemoryLoad, kConfig, kQuit}) {
    if (item == kMemoryLoad && !hasMemorySave) {
      continue;
    }
    mRing.addItem(item, mResources.findModel(itemModel(item)));
  }
  if (hasMemorySave) {
    mRing.setCursorById(kMemoryLoad);
  } else if (SaveSlot::anyExists()) {
    mRing.setCursorById(kLoad);
  } else {
    mRing.setCursorById(kStart);
  }
}

i32 TitleScene::update() {
  mScene.draw(RenderState(), static_cast<float>(mFrame));
  mNodes.update();
  mNodes.draw();
  ++mFrame;
  if (RandomGenerator* random = RandomGenerator::instance()) {
    random->getInt(2);  // the sequence moves on with the time the player waits
  }

  i32 result = 0;
  if (updateSubMenu(&result)) {
    return result;
  }
  if (mMenuShown) {
    result = updateRing();
    if (result != 0) {
      return result;
    }
  } else if (KeyInput::isTriggered(kTitleDecideKey) || mFrame >= kMenuFrame) {
    mMenuShown = true;
    mRing.startOpening();
    if (mFrame < kMenuFrame - 1) {
      mFrame = kMenuFrame - 1;
    }
  }
  const bool noMenuOpen = !mConfigMenu.isValid() && !mLoadMenu.isValid();
  if (noMenuOpen && KeyInput::isPressed(KeyInput::kDown) && KeyInput::isPressed(kCancelKey) &&
      KeyInput::isPressed(kMusicKey)) {
    openMusicList();
  }
  return 0;
}

bool TitleScene::updateSubMenu(i32* result) {
  *result = 0;
  if (mConfigMenu.isValid()) {
    if (mConfigMenu->update()) {
      mConfigMenu.reset();
    }
    return true;
  }
  if (mLoadMenu.isValid()) {
    *result = updateLoadMenu();
    return true;
  }
  if (mMusicList.isValid()) {
    updateMusicList();
    return true;
  }
  return false;
}

i32 TitleScene::updateLoadMenu() {
  UiDraw::drawWall();
  if (!mMessages.isEmpty()) {
    MenuStack::update(mMessages);
    return 0;
  }
  mLoadMenu->draw();
  const i32 result = mLoadMenu->update();
  if (result == SaveSlotMenu::kCancelled) {
    mLoadMenu.reset();
    return 0;
  }
  if (result != SaveSlotMenu::kDecided) {
    return 0;
  }
  // A decided load without a game must not reach the game flow, which
  // would take it for the memory save: the list stays open.
  mLoadedGame.reset(mLoadMenu->takeGame());
  if (!mLoadedGame) {
    ListMenu::pushMessage(mMessages, kUnreadableSave);
    return 0;
  }
  return 1;
}

void TitleScene::updateMusicList() {
  mMusicList->drawDefault();
  const i32 result = mMusicList->update();
  if (result == ListMenu::kDecided) {
    BGM* music = BGM::instance();
    const i32 index = mMusicList->selectedId(0);
    if (music && index >= 0 && index < music->tuneCount()) {
      music->play(music->tune(index).mName.c_str());
    }
  } else if (result == ListMenu::kCancelled) {
    mMusicList.reset();
  }
}

i32 TitleScene::updateRing() {
  RenderState base;
  Transform place;
  place.rotation.set(-90.f, 0.f, 180.f);
  place.position.set(0.f, -140.f, 0.f);
  base.applyTransform(place);
  mRing.draw(base, static_cast<float>(mFrame));
  if (mRing.update() != kTitleRingDecided) {
    return 0;
  }
  switch (mRing.selectedItem()) {
    case kStart:
    case kMemoryLoad:
      return 1;
    case kLoad:
      mLoadMenu = SaveSlotMenu::createLoad();
      return 0;
    case kConfig:
      mConfigMenu = new ConfigMenu();
      return 0;
    case kQuit:
      return 2;
    default:
      return 0;
  }
}

void TitleScene::openMusicList() {
  mMusicList = new ListMenu();
  if (const BGM* music = BGM::instance()) {
    for (i32 i = 0; i < music->tuneCount(); ++i) {
      mMusicList->addItem(music->tune(i).mName.c_str(), i, kTuneColor, kListFont);
    }
  }
  mMusicList->setPosition(0.f, 0.f);
}

GameData* TitleScene::takeGame() {
  if (mLoadMenu.isValid()) {
    return mLoadedGame.release();
  }
  return mRing.selectedItem() == kStart ? new GameData() : nullptr;
}

}  // namespace Game
