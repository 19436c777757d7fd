#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Platform {

struct WindowDesc {
  std::uint32_t width = 640;   // client area in pixels
  std::uint32_t height = 480;
  std::string title;           // Shift-JIS
  bool fullScreen = false;
  bool acceptDrops = false;
};

enum class WindowEventType {
  CloseRequest,     // the close box, the window manager or a termination signal
  Minimize,
  Restore,
  Activate,         // focus gained or lost: see active and minimized
  MaximizeRequest,  // the maximise command; the window itself is never maximised
  AltEnter,
  Wheel,            // wheelDelta as the system reported it
  DropFiles,        // droppedPaths, Shift-JIS
  Quit,             // the window has been destroyed: the loop ends
};

struct WindowEvent {
  WindowEventType type = WindowEventType::CloseRequest;
  bool active = false;
  bool minimized = false;
  int wheelDelta = 0;
  std::vector<std::string> droppedPaths;
};

// The program's one window.
class Window {
 public:
  virtual ~Window() = default;
  // False when the window cannot be created.
  virtual bool create(const WindowDesc& desc) = 0;
  // Destroys the window; the next pollEvent reports Quit.
  virtual void destroy() = 0;
  // Takes at most one waiting event; never blocks.
  virtual bool pollEvent(WindowEvent& event) = 0;
  // Full screen is a borderless window covering the screen; back to the
  // previous windowed position when left.
  virtual void setFullScreen(bool fullScreen) = 0;
  virtual void acceptDrops(bool accept) = 0;
  // The size of the drawable area in pixels.
  virtual void drawableSize(std::uint32_t& width, std::uint32_t& height) = 0;
};

}  // namespace Platform
