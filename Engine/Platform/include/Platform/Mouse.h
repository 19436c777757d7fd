#pragma once

namespace Platform {

struct MouseState {
  int x = 0;  // pointer in window pixels from the client area's top-left corner
  int y = 0;
  bool left = false;
  bool right = false;
  bool middle = false;
};

class Mouse {
 public:
  virtual ~Mouse() = default;
  virtual MouseState read() = 0;
};

}  // namespace Platform
