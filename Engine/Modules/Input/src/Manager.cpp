#include "Engine/Input/Manager.h"

#include "Engine/Base/Assert.h"
#include "Engine/Framework/WindowCreator.h"
#include "Input/src/KeyCodes.h"
#include "Input/src/ManagerImpl.h"

namespace Engine::Input {

namespace {
ManagerImpl& impl() {
  ManagerImpl* manager = ManagerImpl::instance();
  ENGINE_ASSERT(manager && "the input manager does not exist.");
  return *manager;
}
}  // namespace

void Manager::create() { ManagerImpl::create(); }

void Manager::destroy() { ManagerImpl::destroy(); }

Manager Manager::instance() { return Manager(); }

void Manager::update(f32 pointerScale, f32 pointerOffsetX, f32 pointerOffsetY) {
  // Without a window nothing has the focus. An inactive window keeps its
  // wheel step for a later frame.
  WindowCreator* window = WindowCreator::instance();
  const bool active = window && window->isActive();
  const i32 wheel = active ? window->getAndResetMouseWheel() : 0;
  impl().update({pointerScale, pointerOffsetX, pointerOffsetY}, active, wheel);
}

i32 Manager::joystickNumber() const { return impl().joystickCount(); }

Joystick Manager::joystick(i32 i) const { return Joystick(&impl().joystick(i)); }

bool Keyboard::isOn(i32 code) const {
  const std::optional<Platform::Key> key = keyForCode(code);
  return key && impl().isKeyOn(*key);
}

i32 Mouse::x() const { return impl().mouseX(); }
i32 Mouse::y() const { return impl().mouseY(); }
i32 Mouse::moveX() const { return impl().mouseMoveX(); }
i32 Mouse::moveY() const { return impl().mouseMoveY(); }
i32 Mouse::wheel() const { return impl().wheel(); }
bool Mouse::isOn(MouseButton button) const { return impl().isMouseOn(button); }

bool Joystick::isEnabled() const { return mImpl && mImpl->isEnabled(); }
bool Joystick::isOn(i32 button) const { return mImpl && mImpl->isOn(button); }
i32 Joystick::analog(i32 axis) const { return mImpl ? mImpl->analog(axis) : 0; }

}  // namespace Engine::Input
