#include "core/random/WeightedTable.h"

#include "Engine/Base/Assert.h"
#include "core/random/RandomGenerator.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr i32 kPickAttempts = 1024;

RandomGenerator& globalGenerator() {
  RandomGenerator* generator = RandomGenerator::instance();
  ENGINE_ASSERT(generator && "RandomGenerator : the global generator has not been created.");
  return *generator;
}

template <class T>
void copyInto(Array2D<T>& larger, const Array2D<T>& old, i32 count) {
  for (i32 i = 0; i < count; ++i) {
    larger.at(static_cast<u32>(i)) = old.at(static_cast<u32>(i));
  }
}

}  // namespace

WeightedTable::WeightedTable(i32 capacity) : mWeights(capacity), mValues(capacity) {}

void WeightedTable::grow() {
  const i32 capacity = mCount < 8 ? 16 : mCount * 2;
  Array2D<float> weights(capacity);
  Array2D<i32> values(capacity);
  copyInto(weights, mWeights, mCount);
  copyInto(values, mValues, mCount);
  mWeights.assign(weights);
  mValues.assign(values);
}

void WeightedTable::add(i32 value, float weight) {
  if (mCount == static_cast<i32>(mWeights.size())) {
    grow();
  }
  mWeights.at(static_cast<u32>(mCount)) = weight;
  mValues.at(static_cast<u32>(mCount)) = value;
  mTotalWeight += weight;
  ++mCount;
}

void WeightedTable::addWeight(float weight) { add(mCount, weight); }

i32 WeightedTable::pickWithin(float limit, RandomGenerator& generator) const {
  float rest = generator.getFloat(limit);
  for (i32 i = 0; i < mCount; ++i) {
    const float weight = mWeights.at(static_cast<u32>(i));
    if (weight > rest) {
      return mValues.at(static_cast<u32>(i));
    }
    rest -= weight;
  }
  return -1;
}

i32 WeightedTable::pickWithin(float limit) const { return pickWithin(limit, globalGenerator()); }

i32 WeightedTable::pick(RandomGenerator& generator) const {
  if (mCount == 0) {
    return -1;
  }
  const float total = totalWeight();
  for (i32 attempt = 0; attempt < kPickAttempts; ++attempt) {
    const i32 value = pickWithin(total, generator);
    if (value >= 0) {
      return value;
    }
  }
  return 0;
}

i32 WeightedTable::pick() const { return pick(globalGenerator()); }

RandomPermutation::RandomPermutation(i32 n) { build(globalGenerator(), n); }

RandomPermutation::RandomPermutation(RandomGenerator& generator, i32 n) { build(generator, n); }

void RandomPermutation::build(RandomGenerator& generator, i32 n) {
  mOrder.setSize(n);
  for (u32 i = 0; i < mOrder.size(); ++i) {
    mOrder.at(i) = -1;
  }
  for (i32 k = 0; k < n; ++k) {
    i32 freeToSkip = generator.getInt(n - k);
    for (u32 slot = 0;; ++slot) {
      if (mOrder.at(slot) == -1 && freeToSkip-- == 0) {
        mOrder.at(slot) = k;
        break;
      }
    }
  }
}

}  // namespace Game
