#pragma once

#include <array>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Input/Mouse.h"
#include "Input/src/JoystickImpl.h"
#include "Platform/Backend.h"

namespace Engine::Input {

// Maps window pixels to back-buffer pixels: p = (window + offset) * scale.
struct PointerModifier {
  f32 scale = 1.0f;
  f32 offsetX = 0.0f;
  f32 offsetY = 0.0f;
};

// The input state behind the Manager facade. Keys and mouse buttons are
// double-buffered: the current buffer holds this frame's sample.
class ManagerImpl {
 public:
  // Opens the joysticks attached now; they are the only ones ever read.
  explicit ManagerImpl(Platform::Backend& backend);
  ~ManagerImpl();
  ManagerImpl(const ManagerImpl&) = delete;
  ManagerImpl& operator=(const ManagerImpl&) = delete;

  static ManagerImpl* instance();
  static void create();
  static void destroy();

  // One frame's sample. While the window is inactive the keys, the mouse
  // buttons and the joysticks read as released; the wheel step is the one
  // the window had pending (the caller takes it only while active).
  void update(const PointerModifier& pointer, bool windowActive, i32 wheelStep);

  bool isKeyOn(Platform::Key key) const;
  bool isMouseOn(MouseButton button) const;
  i32 mouseX() const { return mMouseX; }
  i32 mouseY() const { return mMouseY; }
  i32 mouseMoveX() const { return mMouseMoveX; }
  i32 mouseMoveY() const { return mMouseMoveY; }
  i32 wheel() const { return mWheel; }
  i32 joystickCount() const { return static_cast<i32>(mJoysticks.size()); }
  const JoystickImpl& joystick(i32 index) const;

 private:
  static constexpr std::size_t kMouseButtonCount = 3;

  void samplePointer(const PointerModifier& pointer, const Platform::MouseState& mouse);

  Platform::Backend& mBackend;
  std::vector<JoystickImpl> mJoysticks;
  i32 mMouseX = 0;
  i32 mMouseY = 0;
  i32 mMouseMoveX = 0;
  i32 mMouseMoveY = 0;
  i32 mWheel = 0;
  i32 mCurrent = 0;
  std::array<std::array<bool, kMouseButtonCount>, 2> mMouseButtons{};
  std::array<Platform::KeyStates, 2> mKeys{};
};

}  // namespace Engine::Input
