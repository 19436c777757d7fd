#pragma once

#include <initializer_list>
#include <vector>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "tests/running/game/GameFixture.h"

namespace GameTestSupport {

// A running game's surroundings with logical keys driven by a scripted
// fake keyboard, one logic step at a time.
class KeyedGameTest : public GameTest {
 protected:
  static constexpr Platform::Key kDecide = Platform::Key::X;
  static constexpr Platform::Key kCancel = Platform::Key::Z;

  void SetUp() override {
    GameTest::SetUp();
    Game::KeyInput::setDefaultBindings();
    Game::Config::instance().setDefaults();
    Engine::Input::Manager::create();
    step({});
  }
  void TearDown() override {
    step({});  // the logical keys outlive the test: none stays held into the next
    Engine::Input::Manager::destroy();
    GameTest::TearDown();
  }

  // One logic step with the given keys held (all others released), the
  // loads asked for so far landed.
  void step(std::initializer_list<Platform::Key> held) {
    FileTestSupport::awaitReads();
    for (Platform::Key key : mHeld) {
      backend->fakeKeyboard.release(key);
    }
    mHeld.assign(held.begin(), held.end());
    for (Platform::Key key : mHeld) {
      backend->fakeKeyboard.press(key);
    }
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
  }

 private:
  std::vector<Platform::Key> mHeld;
};

}  // namespace GameTestSupport
