#pragma once

#include "Engine/Base/Types.h"

namespace Engine::FileIO {

// Engine::Math::Random's sequence, inlined: the scrambling takes one value
// per byte, and a call per byte costs the decoder a third of its speed.
// Tests hold the two sequences equal.
class XorShift {
 public:
  explicit XorShift(i32 seed) : mW(seed > 0 ? static_cast<u32>(seed) : 88675123u) {}

  u32 next() {
    const u32 t = mX ^ (mX << 11);
    mX = mY;
    mY = mZ;
    mZ = mW;
    mW = mW ^ (mW >> 19) ^ t ^ (t >> 8);
    return mW;
  }

  // (next & 0x7FFFFFFF) % 256 is the low byte of the next value.
  u8 nextByte() { return static_cast<u8>(next()); }

 private:
  u32 mX = 123456789u;
  u32 mY = 362436069u;
  u32 mZ = 521288629u;
  u32 mW;
};

}  // namespace Engine::FileIO
