#include "running/game/GameFlow.h"

#include "running/game/GameData.h"
#include "core/input/KeyInput.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/ModelDraw.h"
#include "records/expression/GameResolver.h"

namespace Game {

namespace {

GameFlow* gInstance = nullptr;

}  // namespace

void GameFlow::create(TitleMaker makeTitle) {
  if (!gInstance) {
    setInterfaceFrameCount(0);
    ExpressionStuff::GameResolver::setDefault(&runningGameResolver());
    gInstance = new GameFlow(makeTitle);
  }
}

void GameFlow::destroy() {
  delete gInstance;
  gInstance = nullptr;
  setInterfaceFrameCount(0);
}

GameFlow* GameFlow::instance() { return gInstance; }

GameFlow::GameFlow(TitleMaker makeTitle) : mMakeTitle(makeTitle) { showNewTitle(); }

GameFlow::~GameFlow() = default;

void GameFlow::memorySave(const GameData& game) {
  mMemorySave.reset();
  mMemorySave = new NmlDocument();
  game.write(*mMemorySave);
}

void GameFlow::showNewTitle() {
  mGame.reset();
  mTitle.reset();
  mTitle = mMakeTitle(hasMemorySave());
}

Engine::i32 GameFlow::update() {
  ++mFrameCount;
  setInterfaceFrameCount(mFrameCount);
  if (KeyInput::heldFrames(KeyInput::kReturnToTitle) == 1) {
    mReturnToTitle = true;
  }
  if (mReturnToTitle) {
    mReturnToTitle = false;
    showNewTitle();
  }
  if (mTitle.isValid()) {
    return updateTitle();
  }
  if (mGame.isValid()) {
    mGame->update();
  }
  return 0;
}

Engine::i32 GameFlow::updateTitle() {
  const Engine::i32 result = mTitle->update();
  if (result == TitleStage::kQuit) {
    return TitleStage::kQuit;
  }
  if (result != TitleStage::kGameChosen) {
    return 0;
  }
  GameData* game = mTitle->takeGame();
  if (!game) {
    // The title offers "memoryLoad" only with a memory save; without one the
    // title stays.
    if (!hasMemorySave()) {
      return 0;
    }
    game = new GameData(*mMemorySave);
  }
  mGame = game;
  mTitle.reset();
  SceneRenderer::instance()->setFadeLevel(255);
  return 0;
}

}  // namespace Game
