#include "menu/TitleScene.h"

#include "core/game/GameData.h"
#include "core/input/KeyInput.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

namespace {

constexpr Engine::i32 kDecide = 5;
constexpr Engine::u32 kTitleColor = 0xFFFFFF80;
constexpr Engine::u32 kTextColor = 0xFFC0C0C0;

const char* itemName(TitleScene::Item item) {
  switch (item) {
    case TitleScene::kStart:
      return "start";
    case TitleScene::kMemoryLoad:
      return "memoryLoad";
    case TitleScene::kQuit:
      return "quit";
  }
  return "";
}

}  // namespace

TitleScene::TitleScene(bool hasMemorySave) {
  mItems[mItemCount++] = kStart;
  if (hasMemorySave) {
    mCursor = mItemCount;
    mItems[mItemCount++] = kMemoryLoad;
  }
  mItems[mItemCount++] = kQuit;
}

Engine::i32 TitleScene::update() {
  if (KeyInput::isTriggered(KeyInput::kRight)) {
    mCursor = (mCursor + 1) % mItemCount;
  }
  if (KeyInput::isTriggered(KeyInput::kLeft)) {
    mCursor = (mCursor + mItemCount - 1) % mItemCount;
  }
  draw();
  if (!KeyInput::isTriggered(kDecide)) {
    return 0;
  }
  return selectedItem() == kQuit ? 2 : 1;
}

GameData* TitleScene::takeGame() { return selectedItem() == kStart ? new GameData() : nullptr; }

void TitleScene::draw() const {
  TextWriter& writer = SceneRenderer::instance()->textWriter();
  writer.setFont(2);
  writer.setColor(kTitleColor);
  writer.setPosition(-120, 60);
  writer.print("Marrowdeep ver1.02");
  writer.setFont(1);
  writer.setColor(kTextColor);
  writer.setPosition(-60, -140);
  writer.print(itemName(selectedItem()));
}

}  // namespace Game
