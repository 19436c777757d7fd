#include "Engine/Math/Random.h"

#include <bit>

#include "Engine/Base/Assert.h"
#include "Engine/Base/ReferenceType.h"
#include "Engine/Math/XorShift128.h"

namespace Engine::Math {

class RandomImpl : public ReferenceType {
 public:
  void setSeed(i32 seed) { mState.setSeed(seed); }
  u32 next() { return mState.next(); }

 private:
  XorShift128 mState;
};

Random::Random(const Random& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Random& Random::operator=(const Random& other) {
  referImpl(other.mImpl);
  releaseImpl(mImpl);
  mImpl = other.mImpl;
  return *this;
}

Random::~Random() { releaseImpl(mImpl); }

Random Random::create(i32 seed) {
  auto* impl = new RandomImpl();
  impl->setSeed(seed);
  return Random(impl);
}

void Random::setSeed(i32 seed) { mImpl->setSeed(seed); }

u32 Random::getInt() { return mImpl->next(); }

i32 Random::getInt(i32 n) {
  ENGINE_ASSERT(n >= 1 && "Random::getInt() : n must be at least 1.");
  return static_cast<i32>((mImpl->next() & 0x7FFFFFFFu) % static_cast<u32>(n));
}

float Random::getFloat(float max) {
  const float unit = std::bit_cast<float>(0x3F800000u | (mImpl->next() & 0x7FFFFFu)) - 1.f;
  return unit * max;
}

}  // namespace Engine::Math
