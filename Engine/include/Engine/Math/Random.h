#pragma once

#include "Engine/Base/Types.h"

namespace Engine::Math {

class RandomImpl;

// Marsaglia's xorshift128. The same seed always gives the same sequence
// (archive and save scrambling rely on it); seeds of 0 or below all mean the
// default seed. A handle: copies share one generator.
class Random {
 public:
  Random() = default;
  Random(const Random& other);
  Random& operator=(const Random& other);
  ~Random();

  static Random create(i32 seed = 0);

  void setSeed(i32 seed);
  u32 getInt();
  // In [0, n); n must be at least 1.
  i32 getInt(i32 n);
  // In [0, max), with 23 random mantissa bits.
  float getFloat(float max);

  operator void*() const { return mImpl; }
  bool operator==(const Random& other) const { return mImpl == other.mImpl; }

 private:
  explicit Random(RandomImpl* impl) : mImpl(impl) {}

  RandomImpl* mImpl = nullptr;
};

}  // namespace Engine::Math
