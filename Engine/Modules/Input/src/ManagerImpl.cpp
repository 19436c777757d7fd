#include "Input/src/ManagerImpl.h"

#include "Engine/Base/Assert.h"
#include "Input/src/DeviceReadings.h"

namespace Engine::Input {

namespace {
ManagerImpl* gManagerImpl = nullptr;
}

ManagerImpl::ManagerImpl(Platform::Backend& backend) : mBackend(backend) {
  const int count = mBackend.joysticks().open();
  mJoysticks.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    mJoysticks.emplace_back(i);
  }
}

ManagerImpl::~ManagerImpl() { mBackend.joysticks().close(); }

ManagerImpl* ManagerImpl::instance() { return gManagerImpl; }

void ManagerImpl::create() {
  ENGINE_ASSERT(!gManagerImpl);
  gManagerImpl = new ManagerImpl(Platform::backend());
}

void ManagerImpl::destroy() {
  delete gManagerImpl;
  gManagerImpl = nullptr;
}

void ManagerImpl::update(const PointerModifier& pointer, bool windowActive, i32 wheelStep) {
  mCurrent = 1 - mCurrent;
  const std::size_t current = static_cast<std::size_t>(mCurrent);
  const Platform::MouseState mouse = mBackend.mouse().read();
  samplePointer(pointer, mouse);
  if (windowActive) {
    mBackend.keyboard().read(mKeys[current]);
    mMouseButtons[current] = {mouse.left, mouse.right, mouse.middle};
    mWheel = wheelStep;
  } else {
    mKeys[current].fill(false);
    mMouseButtons[current].fill(false);
    mWheel = 0;
  }
  Platform::Joysticks& joysticks = mBackend.joysticks();
  for (JoystickImpl& joystick : mJoysticks) {
    joystick.update(joysticks, windowActive);
  }
}

void ManagerImpl::samplePointer(const PointerModifier& pointer, const Platform::MouseState& mouse) {
  const i32 x = pointerCoordinate(mouse.x, pointer.offsetX, pointer.scale);
  const i32 y = pointerCoordinate(mouse.y, pointer.offsetY, pointer.scale);
  mMouseMoveX = x - mMouseX;
  mMouseMoveY = y - mMouseY;
  mMouseX = x;
  mMouseY = y;
}

bool ManagerImpl::isKeyOn(Platform::Key key) const {
  return mKeys[static_cast<std::size_t>(mCurrent)][static_cast<std::size_t>(key)];
}

bool ManagerImpl::isMouseOn(MouseButton button) const {
  return mMouseButtons[static_cast<std::size_t>(mCurrent)][static_cast<std::size_t>(button)];
}

const JoystickImpl& ManagerImpl::joystick(i32 index) const {
  ENGINE_ASSERT(index >= 0 && index < joystickCount() && "joystick index out of range.");
  return mJoysticks[static_cast<std::size_t>(index)];
}

}  // namespace Engine::Input
