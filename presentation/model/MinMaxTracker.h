#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// Running extremes of a stream of floats, each remembered with the tag of the
// value that set it. The first value sets both; an equal value keeps the
// earlier tag.
class MinMaxTracker {
 public:
  explicit MinMaxTracker(float initial) : mMax(initial), mMin(initial) {}

  void add(float value, Engine::i32 tag) {
    if (value > mMax || mCount == 0) {
      mMax = value;
      mMaxTag = tag;
    }
    if (value < mMin || mCount == 0) {
      mMin = value;
      mMinTag = tag;
    }
    ++mCount;
  }

  float max() const { return mMax; }
  float min() const { return mMin; }
  Engine::i32 maxTag() const { return mMaxTag; }
  Engine::i32 minTag() const { return mMinTag; }
  Engine::i32 count() const { return mCount; }

 private:
  float mMax;
  float mMin;
  Engine::i32 mMaxTag = -1;
  Engine::i32 mMinTag = -1;
  Engine::i32 mCount = 0;
};

}  // namespace Game
