#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "Engine/Base/Types.h"

namespace Game::StatMath {

// Sums and products of data values are taken in 64 bits and narrowed here,
// so a large value saturates instead of wrapping around.
inline Engine::i32 saturate(Engine::i64 v) {
  return static_cast<Engine::i32>(std::clamp<Engine::i64>(v, std::numeric_limits<Engine::i32>::min(),
                                                          std::numeric_limits<Engine::i32>::max()));
}

// Truncation toward zero of a float product into an int, saturating where
// the value lies outside the int range (and 0 for NaN) instead of leaving
// the conversion undefined.
inline Engine::i32 truncate(double v) {
  if (!(v == v)) {
    return 0;
  }
  if (v >= 2147483647.0) {
    return std::numeric_limits<Engine::i32>::max();
  }
  if (v <= -2147483648.0) {
    return std::numeric_limits<Engine::i32>::min();
  }
  return static_cast<Engine::i32>(v);
}

}  // namespace Game::StatMath
