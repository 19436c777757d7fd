#pragma once

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"

namespace Game {

// One condition on a curve's polynomial: its value, velocity or acceleration
// at a time. A key read from data fills kind and value; the time is given
// when the key is placed.
struct CurveConstraint {
  enum Kind : Engine::i32 { kUnset = 0, kValue = 1, kVelocity = 2, kAccel = 3 };

  Engine::i32 kind = kUnset;
  float value = 0.f;
  float time = 0.f;
};

// A fixed number of constraints. Adding past the capacity, or a second
// constraint of the same kind at exactly the same time, is dropped: the order
// of adding decides which conditions a segment keeps.
class ConstraintList {
 public:
  explicit ConstraintList(Engine::i32 capacity) : mEntries(capacity) {
    for (Engine::i32 i = 0; i < this->capacity(); ++i) {
      mEntries.at(static_cast<Engine::u32>(i)) = CurveConstraint{};
    }
  }

  void add(const CurveConstraint& c) {
    if (mCount >= capacity()) {
      return;
    }
    for (Engine::i32 i = 0; i < mCount; ++i) {
      const CurveConstraint& held = at(i);
      if (held.time == c.time && held.kind == c.kind) {
        return;
      }
    }
    mEntries.at(static_cast<Engine::u32>(mCount++)) = c;
  }
  void add(Engine::i32 kind, float value, float time) { add(CurveConstraint{kind, value, time}); }

  Engine::i32 count() const { return mCount; }
  Engine::i32 capacity() const { return static_cast<Engine::i32>(mEntries.size()); }
  bool isFull() const { return mCount >= capacity(); }
  // Entries past count() are unset.
  const CurveConstraint& at(Engine::i32 i) const { return mEntries.at(static_cast<Engine::u32>(i)); }

 private:
  Array2D<CurveConstraint> mEntries;
  Engine::i32 mCount = 0;
};

}  // namespace Game
