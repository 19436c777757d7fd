#pragma once

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"

namespace Game {

// The lines or the children of an nml node, in order: a list threaded through
// the elements' own mNext links. It owns nothing; the elements live in the
// tree's arena.
template <class T>
class NmlList {
 public:
  class Iterator {
   public:
    explicit Iterator(const NmlList& list) : mElement(list.mFirst) {}
    bool isEnd() const { return mElement == nullptr; }
    T* value() const { return mElement; }
    void next() {
      if (mElement) {
        mElement = mElement->mNext;
      }
    }

   private:
    T* mElement;
  };

  Engine::i32 count() const { return mCount; }

  T* at(Engine::i32 i) const {
    ENGINE_ASSERT(i >= 0 && i < mCount && "NmlList : position out of range.");
    T* element = mFirst;
    for (; i > 0; --i) {
      element = element->mNext;
    }
    return element;
  }

  void append(T* element) {
    element->mNext = nullptr;
    (mLast ? mLast->mNext : mFirst) = element;
    mLast = element;
    ++mCount;
  }

  // Unlinks every element for which isRemoved(element) holds; the elements
  // themselves stay as they are.
  template <class Predicate>
  void unlinkIf(Predicate isRemoved) {
    T* kept = nullptr;
    for (T* element = mFirst; element;) {
      T* next = element->mNext;
      if (isRemoved(element)) {
        (kept ? kept->mNext : mFirst) = next;
        --mCount;
      } else {
        kept = element;
      }
      element = next;
    }
    mLast = kept;
  }

  void clear() {
    mFirst = nullptr;
    mLast = nullptr;
    mCount = 0;
  }

 private:
  T* mFirst = nullptr;
  T* mLast = nullptr;
  Engine::i32 mCount = 0;
};

}  // namespace Game
