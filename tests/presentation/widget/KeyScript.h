#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"

namespace WidgetTest {

struct FakeBackendTest : ::testing::Test {
  PlatformFake::ScopedFakeBackend backend;
};

// Logical keys driven by a scripted fake keyboard, one logic step at a time,
// over any fixture that owns the fake backend as `backend`.
template <class Base = FakeBackendTest>
class KeysOver : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    Game::KeyInput::setDefaultBindings();
    Game::Config::instance().setDefaults();
    Engine::Input::Manager::create();
    step();
  }
  void TearDown() override {
    Engine::Input::Manager::destroy();
    Game::Config::instance().setDefaults();
    Base::TearDown();
  }

  // One logic step with the given keys held (all others released).
  void step(std::initializer_list<Platform::Key> held = {}) {
    for (Platform::Key key : mHeld) this->backend->fakeKeyboard.release(key);
    mHeld.assign(held.begin(), held.end());
    for (Platform::Key key : mHeld) this->backend->fakeKeyboard.press(key);
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
  }

  static constexpr Platform::Key kDecide = Platform::Key::X;
  static constexpr Platform::Key kCancel = Platform::Key::Z;
  static constexpr Platform::Key kPageDown = Platform::Key::W;

  std::vector<Platform::Key> mHeld;
};

using KeyScript = KeysOver<>;

}  // namespace WidgetTest
