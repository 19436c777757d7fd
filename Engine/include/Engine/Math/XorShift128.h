#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Math {

// Marsaglia's xorshift128 state as a plain value, for hot loops that take one
// number per byte (the archive scrambling); Random is the shared handle over it.
class XorShift128 {
 public:
  explicit XorShift128(i32 seed = 0) { setSeed(seed); }

  // Seeds of 0 or below all mean the default seed.
  void setSeed(i32 seed) {
    mX = 123456789u;
    mY = 362436069u;
    mZ = 521288629u;
    mW = seed > 0 ? static_cast<u32>(seed) : 88675123u;
  }

  u32 next() {
    const u32 t = mX ^ (mX << 11);
    mX = mY;
    mY = mZ;
    mZ = mW;
    mW = mW ^ (mW >> 19) ^ t ^ (t >> 8);
    return mW;
  }

 private:
  u32 mX = 0;
  u32 mY = 0;
  u32 mZ = 0;
  u32 mW = 0;
};

}  // namespace Engine::Math
