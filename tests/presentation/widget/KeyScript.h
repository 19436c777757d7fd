#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"

namespace WidgetTest {

// Logical keys driven by a scripted fake keyboard, one logic step at a time.
class KeyScript : public ::testing::Test {
 protected:
  void SetUp() override {
    Game::KeyInput::setDefaultBindings();
    Game::Config::instance().setDefaults();
    Engine::Input::Manager::create();
    step();
  }
  void TearDown() override {
    Engine::Input::Manager::destroy();
    Game::Config::instance().setDefaults();
  }

  // One logic step with the given keys held (all others released).
  void step(std::initializer_list<Platform::Key> held = {}) {
    for (Platform::Key key : mHeld) {
      mBackend->fakeKeyboard.release(key);
    }
    mHeld.assign(held.begin(), held.end());
    for (Platform::Key key : mHeld) {
      mBackend->fakeKeyboard.press(key);
    }
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
  }
  // A press of one step followed by a step with nothing held.
  void tap(Platform::Key key) {
    step({key});
  }

  static constexpr Platform::Key kDecide = Platform::Key::X;
  static constexpr Platform::Key kCancel = Platform::Key::Z;
  static constexpr Platform::Key kFast = Platform::Key::C;
  static constexpr Platform::Key kPageUp = Platform::Key::Q;
  static constexpr Platform::Key kPageDown = Platform::Key::W;

  PlatformFake::ScopedFakeBackend mBackend;
  std::vector<Platform::Key> mHeld;
};

}  // namespace WidgetTest
