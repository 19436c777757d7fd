#pragma once

#include <string>
#include <vector>

#include "Engine/Base/Numeric.h"
#include "Engine/Base/RefString.h"
#include "Engine/Base/Types.h"

namespace Engine {

// Fixed-capacity map from string keys to values. All bucket chains form one
// sequence: an empty bucket's head links on to the next bucket's head, so a
// walk from the first head visits every element and ends at end().
template <class Value>
class HashMap {
 public:
  HashMap() = default;
  HashMap(i32 capacity, i32 tableSize) { setCapacity(capacity, tableSize); }

  void setCapacity(i32 capacity, i32 tableSize = 0) {
    mLinks.clear();
    mKeys.clear();
    mValues.clear();
    mFreeSlots.clear();
    mCapacity = 0;
    mSize = 0;
    mBucketCount = 0;
    if (capacity <= 0) {
      return;
    }
    mCapacity = capacity;
    const u32 wanted = static_cast<u32>(tableSize > 0 ? tableSize : capacity);
    mBucketCount = static_cast<i32>(nextPrime(wanted));
    if (mBucketCount < 3) {
      mBucketCount = 3;
    }
    mLinks.resize(static_cast<std::size_t>(mCapacity + mBucketCount));
    for (i32 b = 0; b < mBucketCount; ++b) {
      mLinks[static_cast<std::size_t>(mCapacity + b)] = mCapacity + b + 1;
    }
    mKeys.resize(static_cast<std::size_t>(mCapacity));
    mValues.resize(static_cast<std::size_t>(mCapacity));
    mFreeSlots.reserve(static_cast<std::size_t>(mCapacity));
    for (i32 i = 0; i < mCapacity; ++i) {
      mFreeSlots.push_back(i);
    }
  }

  // Returns the new element's index, or end() when the key is present or the map is full.
  i32 add(RefString key, const Value& value) {
    if (mCapacity == 0 || mFreeSlots.empty() || find(key) != end()) {
      return end();
    }
    const i32 head = mCapacity + static_cast<i32>(hash(key) % static_cast<u32>(mBucketCount));
    const i32 slot = mFreeSlots.back();
    mFreeSlots.pop_back();
    mLinks[static_cast<std::size_t>(slot)] = mLinks[static_cast<std::size_t>(head)];
    mLinks[static_cast<std::size_t>(head)] = slot;
    mKeys[static_cast<std::size_t>(slot)].assign(key.get(), static_cast<std::size_t>(key.size()));
    mValues[static_cast<std::size_t>(slot)] = value;
    ++mSize;
    return slot;
  }

  i32 find(RefString key) const {
    if (mCapacity == 0) {
      return end();
    }
    const i32 head = mCapacity + static_cast<i32>(hash(key) % static_cast<u32>(mBucketCount));
    for (i32 i = mLinks[static_cast<std::size_t>(head)]; i < mCapacity; i = mLinks[static_cast<std::size_t>(i)]) {
      if (RefString(mKeys[static_cast<std::size_t>(i)].data(), static_cast<i32>(mKeys[static_cast<std::size_t>(i)].size())) == key) {
        return i;
      }
    }
    return end();
  }

  void clear() {
    if (mCapacity == 0) {
      return;
    }
    for (i32 b = 0; b < mBucketCount; ++b) {
      mLinks[static_cast<std::size_t>(mCapacity + b)] = mCapacity + b + 1;
    }
    mFreeSlots.clear();
    for (i32 i = 0; i < mCapacity; ++i) {
      mKeys[static_cast<std::size_t>(i)].clear();
      mFreeSlots.push_back(i);
    }
    mSize = 0;
  }

  const Value& value(i32 index) const { return mValues[static_cast<std::size_t>(index)]; }
  Value& value(i32 index) { return mValues[static_cast<std::size_t>(index)]; }
  const std::string& key(i32 index) const { return mKeys[static_cast<std::size_t>(index)]; }

  // The walk over every element in chain order: first(), then next(i) until isEnd.
  i32 first() const { return mCapacity == 0 ? end() : skipHeads(mLinks[static_cast<std::size_t>(mCapacity)]); }
  i32 next(i32 index) const { return skipHeads(mLinks[static_cast<std::size_t>(index)]); }

  i32 end() const { return mCapacity + mBucketCount; }
  bool isEnd(i32 index) const { return index == end(); }
  i32 size() const { return mSize; }
  i32 capacity() const { return mCapacity; }
  i32 bucketCount() const { return mBucketCount; }

  static u32 hash(RefString key) {
    u32 h = 0;
    for (i32 i = 0; i < key.size(); ++i) {
      h = h * 137u + static_cast<u8>(key.get()[i]);
    }
    return h;
  }

 private:
  i32 skipHeads(i32 index) const {
    while (index >= mCapacity && index < end()) {
      index = mLinks[static_cast<std::size_t>(index)];
    }
    return index;
  }

  std::vector<i32> mLinks;
  std::vector<std::string> mKeys;
  std::vector<Value> mValues;
  std::vector<i32> mFreeSlots;
  i32 mCapacity = 0;
  i32 mSize = 0;
  i32 mBucketCount = 0;
};

}  // namespace Engine
