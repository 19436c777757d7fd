#pragma once

#include <functional>
#include <utility>

#include "Engine/Base/Types.h"
#include "core/container/Array2D.h"
#include "core/container/FixedArray.h"
#include "core/container/OwnedList.h"

namespace Game {

// The key of an item that is its own key (arrays of 32-bit values).
struct ItselfKey {
  template <class V>
  V operator()(const V& value) const {
    return value;
  }
};

// Orders positions of items by a numeric key, greatest first, without moving
// the items, and counts every key comparison of the last build. KeyOf reads an
// item's key (a 32-bit float, signed or unsigned integer).
template <class Item, class KeyOf = ItselfKey>
class IndexSorter {
 public:
  IndexSorter() = default;
  ~IndexSorter() {
    mOrder.clear();
    mItems.clear();
  }
  IndexSorter(const IndexSorter&) = delete;
  IndexSorter& operator=(const IndexSorter&) = delete;

  // The list must hold no deleted (null) objects.
  void buildFromList(const OwnedList<Item>& list) {
    start(list.count());
    Engine::u32 k = 0;
    for (typename OwnedList<Item>::Iterator it(list); !it.isEnd(); it.next(), ++k) {
      mItems.at(k) = it.value();
    }
    sort();
  }

  void buildFromArray(const Array2D<Item>& array) {
    start(static_cast<Engine::i32>(array.size()));
    for (Engine::u32 k = 0; k < array.size(); ++k) {
      mItems.at(k) = &array.at(k);
    }
    sort();
  }

  template <Engine::i32 N>
  void buildFromFixedArray(const FixedArray<Item, N>& array) {
    start(N);
    for (Engine::i32 k = 0; k < N; ++k) {
      mItems.at(static_cast<Engine::u32>(k)) = &array.at(k);
    }
    sort();
  }

  void sort() { sortRange(0, size()); }

  // Partition sort, descending, with the first entry as the pivot; keys equal
  // to the pivot's stay on its right. The smaller side is sorted by recursion
  // and the larger one in the loop, so the stack stays shallow even for input
  // already in order; the sides are disjoint, so results and counts do not
  // depend on which goes first.
  void sortRange(Engine::u32 start, Engine::u32 n) {
    while (n > 1) {
      const Engine::u32 p = partition(start, n);
      const Engine::u32 rightStart = start + p + 1;
      const Engine::u32 rightCount = n - p - 1;
      if (p < rightCount) {
        sortRange(start, p);
        start = rightStart;
        n = rightCount;
      } else {
        sortRange(rightStart, rightCount);
        n = p;
      }
    }
  }

  Engine::u32 indexAt(Engine::u32 i) const { return mOrder.at(i); }
  Engine::u32 size() const { return mOrder.size(); }
  Engine::u32 comparisons() const { return mComparisons; }

 private:
  void start(Engine::i32 count) {
    mItems.setSize(count);
    mOrder.setSize(count);
    mComparisons = 0;
    for (Engine::u32 k = 0; k < mOrder.size(); ++k) {
      mOrder.at(k) = k;
    }
  }

  auto keyAt(Engine::u32 entry) const { return std::invoke(KeyOf{}, *mItems.at(mOrder.at(entry))); }

  // Returns the pivot's final offset from start.
  Engine::u32 partition(Engine::u32 start, Engine::u32 n) {
    Engine::u32 p = 0;
    Engine::u32 i = 1;
    while (i < n) {
      ++mComparisons;
      // Not "pivot < item": an unordered (NaN) float key counts as not greater.
      if (!(keyAt(start + p) < keyAt(start + i))) {
        ++i;
      } else if (i == p + 1) {
        std::swap(mOrder.at(start + p), mOrder.at(start + i));
        ++p;
        ++i;
      } else {
        const Engine::u32 pivot = mOrder.at(start + p);
        mOrder.at(start + p) = mOrder.at(start + i);
        mOrder.at(start + i) = mOrder.at(start + p + 1);
        mOrder.at(start + p + 1) = pivot;
        ++p;  // the entry moved into start + i is compared again
      }
    }
    return p;
  }

  Array2D<const Item*> mItems;
  Array2D<Engine::u32> mOrder;
  Engine::u32 mComparisons = 0;
};

}  // namespace Game
