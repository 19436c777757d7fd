#pragma once

namespace Engine {

// Thrown by the frame driver after a game frame failed; value 1 asks the
// window creator for the fatal-error box.
class Exception {
 public:
  explicit Exception(int value = 0) : mValue(value) {}
  int value() const { return mValue; }

 private:
  int mValue;
};

}  // namespace Engine
