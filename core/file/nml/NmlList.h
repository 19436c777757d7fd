#pragma once

#include <cstring>
#include <iterator>

#include "Engine/Base/Assert.h"
#include "Engine/Base/Types.h"

namespace Game {

// The lines or the children of an nml node, in order: a list threaded through
// the elements' own mNext links. The links form a ring, the last element
// linking back to the first, so the list keeps only its last element: two
// lists fit in two words each of every node. It owns nothing; the elements
// live in the tree's arena.
template <class T>
class NmlList {
 public:
  class Iterator {
   public:
    explicit Iterator(const NmlList& list) : mList(&list), mElement(list.first()) {}
    bool isEnd() const { return mElement == nullptr; }
    T* value() const { return mElement; }
    // Ends after the list's last element, read at each step: an element
    // appended meanwhile is still reached.
    void next() {
      if (mElement) {
        mElement = mElement == mList->mLast ? nullptr : mElement->mNext;
      }
    }

   private:
    const NmlList* mList;
    T* mElement;
  };

  Engine::i32 count() const { return mCount; }

  T* at(Engine::i32 i) const {
    ENGINE_ASSERT(i >= 0 && i < mCount && "NmlList : position out of range.");
    T* element = mLast->mNext;  // a list holding position i is not empty
    for (; i > 0; --i) {
      element = element->mNext;
    }
    return element;
  }

  void append(T* element) {
    if (mLast) {
      element->mNext = mLast->mNext;
      mLast->mNext = element;
    } else {
      element->mNext = element;
    }
    mLast = element;
    ++mCount;
  }

  // Unlinks every element for which isRemoved(element) holds; the elements
  // themselves stay as they are.
  template <class Predicate>
  void unlinkIf(Predicate isRemoved) {
    if (!mLast) {
      return;
    }
    T* const last = mLast;
    T* keptFirst = nullptr;
    T* kept = nullptr;
    for (T* element = last->mNext;;) {
      T* const next = element->mNext;
      if (isRemoved(element)) {
        --mCount;
      } else {
        (kept ? kept->mNext : keptFirst) = element;
        kept = element;
      }
      if (element == last) {
        break;
      }
      element = next;
    }
    if (kept) {
      kept->mNext = keptFirst;
    }
    mLast = kept;
  }

  void clear() {
    mLast = nullptr;
    mCount = 0;
  }

 private:
  T* first() const { return mLast ? mLast->mNext : nullptr; }

  T* mLast = nullptr;
  Engine::i32 mCount = 0;
};

// The elements of a list whose label (Label: a line's key, a node's name) is
// one text, in order, for a range-based for. The list is walked once, where
// reading the k-th match by index walks it again for every k.
template <class T, const char* (T::*Label)() const>
class NmlLabelled {
 public:
  class Iterator {
   public:
    Iterator(const NmlList<T>& list, const char* label) : mAt(list), mLabel(label) { skipOthers(); }
    T& operator*() const { return *mAt.value(); }
    Iterator& operator++() {
      mAt.next();
      skipOthers();
      return *this;
    }
    bool operator==(std::default_sentinel_t) const { return mAt.isEnd(); }

   private:
    void skipOthers() {
      while (!mAt.isEnd() && std::strcmp((mAt.value()->*Label)(), mLabel) != 0) {
        mAt.next();
      }
    }

    typename NmlList<T>::Iterator mAt;
    const char* mLabel;
  };

  NmlLabelled(const NmlList<T>& list, const char* label) : mList(&list), mLabel(label) {}
  Iterator begin() const { return Iterator(*mList, mLabel); }
  std::default_sentinel_t end() const { return {}; }

 private:
  const NmlList<T>* mList;
  const char* mLabel;
};

}  // namespace Game
