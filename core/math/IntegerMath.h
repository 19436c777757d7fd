#pragma once

#include "Engine/Base/Types.h"

// 32-bit integer arithmetic of data and expressions: it wraps, and every
// division has a result.
namespace Game::IntegerMath {

inline Engine::i32 wrap(Engine::u32 value) { return static_cast<Engine::i32>(value); }

// x / 0 is 0 and x % 0 is x, so that x == (x / y) * y + x % y holds for y == 0
// as well; INT_MIN / -1 wraps to INT_MIN with remainder 0.
inline Engine::i32 divide(Engine::i32 a, Engine::i32 b) {
  if (b == 0) {
    return 0;
  }
  if (b == -1) {
    return wrap(0u - static_cast<Engine::u32>(a));
  }
  return a / b;
}

inline Engine::i32 remainder(Engine::i32 a, Engine::i32 b) {
  if (b == 0) {
    return a;
  }
  if (b == -1) {
    return 0;
  }
  return a % b;
}

}  // namespace Game::IntegerMath
