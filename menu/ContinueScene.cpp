#include "menu/ContinueScene.h"

#include "running/game/GameData.h"
#include "core/sound/BGM.h"
#include "field/FieldScene.h"
#include "field/FieldTalk.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/NumberInput.h"
#include "records/Database.h"
#include "records/database/MapSiteData.h"
#include "running/script/Script.h"

namespace Game {

using Engine::i32;

namespace {

constexpr Engine::u32 kTitleColor = 0xFFFFFF80;
constexpr Engine::u32 kRowColor = 0xFFC0C0C0;
constexpr i32 kFont = 0;
constexpr float kContinueLeft = -320.f;
constexpr float kContinueTop = 240.f;
constexpr i32 kFadedOut = 255;
constexpr i32 kInputDecided = 1;
constexpr i32 kInputCancelled = 2;

bool isDungeon(const MapSiteData& site) { return site.floorNumber() > 0; }

}  // namespace

ContinueScene::ContinueScene(GameData& game) : mGame(game) {
  buildDestinations();
  if (BGM* music = BGM::instance()) {
    music->play(kTune);
  }
  if (mGame.takeLoseEventRequest()) {
    runScript(kContinueScript);
  }
  FieldTalk::whereToGo(mTalk);
}

ContinueScene::~ContinueScene() = default;

void ContinueScene::buildDestinations() {
  ListMenu& list = mList.list();
  list.setTitle(kTitle, kFont, kTitleColor);
  const Database& database = *Database::instance();
  for (i32 i = 0; i < database.siteCount(); ++i) {
    const MapSiteData& site = *database.siteAt(i);
    if (mGame.isSceneOpen(site)) {
      list.addItem(site.print(), i, kRowColor, kFont);
    }
  }
  list.addItem(kShopRow, kShopId, kRowColor, kFont);
  list.setVisibleRows(kVisibleRows);
  mList.placeCentered(kContinueLeft, kContinueTop);
}

void ContinueScene::runScript(const char* path) {
  mScript = new Script();
  mScript->loadFromPath(path, mGame);
}

bool ContinueScene::update() {
  if (mScript.isValid()) {
    if (mScript->update(mGame) != Script::kRunning) {
      mScript.reset();
    }
    return false;
  }
  mTalk.isIdle();
  mTalk.draw();
  mList.draw(!mChosen);
  if (mFloorInput.isValid()) {
    updateFloorInput();
    return false;
  }
  if (mChosen) {
    return leave();
  }
  if (mList.update() == ListMenu::kDecided) {
    choose(mList.selectedId(0));
  }
  return false;
}

void ContinueScene::updateFloorInput() {
  mFloorInput->draw();
  const i32 result = mFloorInput->update();
  if (result == kInputDecided) {
    mGame.floor() = mFloorInput->value();
    FieldTalk::letsGo(mTalk);
  } else if (result == kInputCancelled) {
    mChosen = nullptr;
    FieldTalk::whereToGo(mTalk);
  }
  if (result != 0) {
    mFloorInput.reset();
  }
}

bool ContinueScene::leave() {
  ++mCounter;
  SceneRenderer* renderer = SceneRenderer::instance();
  if (mCounter == kFadeOutFrame && renderer) {
    renderer->setFadeTarget(kFadedOut);
  }
  if (mCounter < kLeaveFrame) {
    return false;
  }
  FieldScene* field = new FieldScene(mGame);
  mGame.setField(field);
  field->changeScene(mChosen);
  field->resume();
  if (isDungeon(*mChosen)) {
    mGame.setHeadline(mChosen->print());
    mGame.addInvadeCount();
  }
  return true;
}

void ContinueScene::choose(i32 id) {
  if (id == kShopId) {
    runScript(kShopScript);
    return;
  }
  mChosen = Database::instance()->siteAt(id);
  if (!mChosen) {
    return;
  }
  if (!isDungeon(*mChosen)) {
    mGame.floor() = 0;
    FieldTalk::letsGo(mTalk);
    return;
  }
  const i32 deepest = mGame.clampedFloorReached(*mChosen);
  if (deepest < 1) {
    mGame.floor() = 1;
    FieldTalk::letsGo(mTalk);
    return;
  }
  mFloorInput = new NumberInput(deepest, 1, deepest);
  FieldTalk::whereToStart(mTalk);
}

}  // namespace Game
