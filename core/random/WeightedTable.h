#pragma once

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

namespace Game {

class RandomGenerator;

// Values with weights, picked with a chance in proportion to their weight.
// The forms without a generator draw from the global one.
class WeightedTable {
 public:
  // Room for `capacity` entries is made at once; more still fit.
  explicit WeightedTable(Engine::i32 capacity = 16);

  void add(Engine::i32 value, float weight);
  // An entry whose value is its own index.
  void addWeight(float weight);
  float totalWeight() const { return mTotalWeight; }
  Engine::i32 count() const { return mCount; }

  // Draws r in [0, limit) and walks the entries in order: the first whose
  // weight exceeds what is left of r is picked. −1 past the end, so a limit
  // above the total weight leaves room for "nothing".
  Engine::i32 pickWithin(float limit, RandomGenerator& generator) const;
  Engine::i32 pickWithin(float limit) const;
  // pickWithin over the total weight until it picks, at most 1024 draws; 0
  // when every weight is 0. A table without entries gives −1 and draws nothing.
  Engine::i32 pick(RandomGenerator& generator) const;
  Engine::i32 pick() const;

 private:
  void grow();

  Engine::i32 mCount = 0;
  // Summed in the order of the entries, as a walk over them would.
  float mTotalWeight = 0.f;
  Array2D<float> mWeights;
  Array2D<Engine::i32> mValues;
};

// An order of 0 … n − 1: each k in turn goes into a slot drawn among the ones
// still free.
class RandomPermutation {
 public:
  explicit RandomPermutation(Engine::i32 n);
  RandomPermutation(RandomGenerator& generator, Engine::i32 n);

  Engine::i32 count() const { return static_cast<Engine::i32>(mOrder.size()); }
  Engine::i32 at(Engine::i32 i) const { return mOrder.at(static_cast<Engine::u32>(i)); }

 private:
  void build(RandomGenerator& generator, Engine::i32 n);

  Array2D<Engine::i32> mOrder;
};

}  // namespace Game
