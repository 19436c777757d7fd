#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// N elements held inline, constructed in order and copied element by element.
template <class T, Engine::i32 N>
class FixedArray {
  static_assert(N >= 1, "a FixedArray holds at least one element");

 public:
  T& at(Engine::i32 i) { return mElements[i]; }
  const T& at(Engine::i32 i) const { return mElements[i]; }
  static constexpr Engine::i32 size() { return N; }

 private:
  T mElements[N]{};
};

}  // namespace Game
