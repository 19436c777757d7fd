#include "core/game/GameFlow.h"

#include "core/game/GameData.h"
#include "core/input/KeyInput.h"
#include "file/nml/NmlDocument.h"
#include "menu/TitleScene.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

namespace {

GameFlow* gInstance = nullptr;

constexpr Engine::i32 kTitleChosen = 1;
constexpr Engine::i32 kTitleQuit = 2;

}  // namespace

void GameFlow::create() {
  if (!gInstance) {
    gInstance = new GameFlow();
  }
}

void GameFlow::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

GameFlow* GameFlow::instance() { return gInstance; }

GameFlow::GameFlow() { showNewTitle(); }

GameFlow::~GameFlow() = default;

void GameFlow::memorySave(const GameData& game) {
  mMemorySave.reset();
  mMemorySave = new NmlDocument();
  game.write(*mMemorySave);
}

void GameFlow::showNewTitle() {
  mGame.reset();
  mTitle.reset();
  mTitle = new TitleScene(hasMemorySave());
}

Engine::i32 GameFlow::update() {
  ++mFrameCount;
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
  if (result == kTitleQuit) {
    return kTitleQuit;
  }
  if (result != kTitleChosen) {
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
