#pragma once

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "running/game/GameFlow.h"
#include "core/input/KeyInput.h"
#include "menu/TitleScene.h"
#include "tests/Services.h"
#include "tests/running/game/GameFixture.h"

namespace GameTestSupport {

// The game flow from its title, stepped as the root steps it, with logical
// keys on the fake keyboard and the scene renderer.
class FlowTest : public TestServices::Test<TestServices::kRenderer, GameTest> {
 protected:
  FlowTest() { mLoadErrorsHalt = false; }  // the title's pictures are left out
  void SetUp() override {
    Test::SetUp();
    Game::KeyInput::setDefaultBindings();
    Engine::Input::Manager::create();
  }
  void TearDown() override {
    Game::GameFlow::destroy();
    Engine::Input::Manager::destroy();
    Test::TearDown();
  }

  static void createFlow() {
    Game::GameFlow::create([](bool hasMemorySave) -> Game::TitleStage* { return new Game::TitleScene(hasMemorySave); });
  }
  static Game::GameFlow& flow() { return *Game::GameFlow::instance(); }
  static Game::TitleScene* title() { return static_cast<Game::TitleScene*>(flow().title()); }

  Engine::i32 step() {
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
    return flow().update();
  }
  // One step with the key down, then one with it up.
  Engine::i32 tap(Platform::Key key) {
    backend->fakeKeyboard.press(key);
    const Engine::i32 result = step();
    backend->fakeKeyboard.release(key);
    step();
    return result;
  }
  // Shows the title's ring at once, waits out its opening, turns it to the
  // item and decides it; the flow's result.
  Engine::i32 choose(Game::TitleScene::Item item) {
    if (!title()->isMenuShown()) {
      tap(Platform::Key::X);
    }
    for (int i = 0; i < 30; ++i) step();
    for (int turns = 0; title()->selectedItem() != item && turns < 5; ++turns) {
      tap(Platform::Key::Right);
    }
    EXPECT_EQ(title()->selectedItem(), item);
    return tap(Platform::Key::X);
  }
};

}  // namespace GameTestSupport
