#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// The smallest and largest of the values added so far.
struct Range {
  void add(float v) {
    if (count == 0 || v < min) {
      min = v;
    }
    if (count == 0 || v > max) {
      max = v;
    }
    ++count;
  }

  Engine::i32 count = 0;
  float min = 0.f;
  float max = 0.f;
};

}  // namespace Game
