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

  // The four words of the state, x first; a generator given them goes on
  // from where this one stands (the archive scrambling steps four at a time).
  void getState(u32 out[4]) const {
    out[0] = mX;
    out[1] = mY;
    out[2] = mZ;
    out[3] = mW;
  }
  void setState(const u32 state[4]) {
    mX = state[0];
    mY = state[1];
    mZ = state[2];
    mW = state[3];
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
