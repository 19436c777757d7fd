#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/container/IndexSorter.h"
#include "core/container/PoolList.h"

namespace {

using Game::PoolList;

std::vector<int> valuesOf(const PoolList<int>& list) {
  std::vector<int> values;
  for (PoolList<int>::Iterator it(list); !it.isEnd(); it.next()) {
    values.push_back(*it.value());
  }
  return values;
}

// Node number of an element relative to the block's node 0.
std::ptrdiff_t nodeNumber(const int* nodeZero, const int* element) {
  const auto bytes = reinterpret_cast<const char*>(element) - reinterpret_cast<const char*>(nodeZero);
  return bytes / static_cast<std::ptrdiff_t>(sizeof(PoolList<int>::Node));
}

TEST(PoolListTest, AFreshBlockHandsOutNodeZeroThenFromItsEndBackwards) {
  PoolList<int> list(4);
  const int* nodeZero = list.add();
  std::vector<std::ptrdiff_t> handedOut;
  for (int i = 0; i < 3; ++i) {
    handedOut.push_back(nodeNumber(nodeZero, list.add()));
  }
  EXPECT_EQ(handedOut, (std::vector<std::ptrdiff_t>{3, 2, 1}));
  EXPECT_EQ(list.blockCount(), 1);
}

TEST(PoolListTest, AnUnlinkedNodeIsReusedWithItsOldValue) {
  PoolList<int> list(16);
  for (int i = 0; i < 16; ++i) {
    *list.add() = 100 + i;
  }
  int* third = list.at(3);
  list.unlinkAt(3);
  EXPECT_EQ(list.count(), 15);
  int* reused = list.add();
  EXPECT_EQ(std::make_pair(reused, list.at(15)), std::make_pair(third, third));
  EXPECT_EQ(std::make_pair(*reused, list.blockCount()), std::make_pair(103, 1));
}

// Free nodes are counted, so a full pool skips the scan: the count must stay
// right across unlinks, removals, fresh blocks and clearing.
TEST(PoolListTest, FreedNodesInOlderBlocksAreFoundBeforeANewBlockIsMade) {
  PoolList<int> list(4);
  for (int i = 0; i < 8; ++i) {
    *list.add() = i;
  }
  int* first = list.at(0);
  EXPECT_EQ(list.remove(first), 1);
  list.unlinkAt(1);
  EXPECT_EQ(list.blockCount(), 2);
  list.add();
  list.add();
  EXPECT_EQ(list.blockCount(), 2);
  list.add();
  EXPECT_EQ(list.blockCount(), 3);
  list.clear();
  for (int i = 0; i < 4; ++i) {
    list.add();
  }
  EXPECT_EQ(list.blockCount(), 1);
}

TEST(PoolListTest, InsertAtPositionsAndRemoveByAddress) {
  PoolList<int> list(4);
  *list.add() = 1;
  *list.add() = 3;
  *list.insertAt(1) = 2;
  *list.insertAt(0) = 0;
  *list.insertAt(-1) = 4;
  EXPECT_EQ(valuesOf(list), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(list.remove(list.at(2)), 1);
  int outsider = 0;
  EXPECT_EQ(list.remove(&outsider), 0);
  list.unlinkAt(0);
  list.unlinkAt(2);
  EXPECT_EQ(valuesOf(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.blockCount(), 2);
}

// Counts the values alive, to see which nodes a list builds and destroys.
struct PoolValue {
  static inline int alive = 0;
  PoolValue() { ++alive; }
  ~PoolValue() { --alive; }
  PoolValue(const PoolValue&) = delete;
  PoolValue& operator=(const PoolValue&) = delete;
};

TEST(PoolListTest, GrowingBlocksBuildNodesOnlyAsTheyAreHandedOut) {
  {
    PoolList<PoolValue> list(16, 2);
    // Blocks, values alive.
    const auto state = [&list] { return std::make_pair(list.blockCount(), PoolValue::alive); };
    const PoolValue* nodeZero = list.add();
    list.add();
    EXPECT_EQ(state(), std::make_pair(1, 2));
    for (int i = 0; i < 3; ++i) {
      list.add();  // the second block holds four
    }
    EXPECT_EQ(state(), std::make_pair(2, 5));
    list.remove(nodeZero);
    EXPECT_NE(list.add(), nodeZero);  // the newest block's unbuilt node comes first
    EXPECT_EQ(state(), std::make_pair(2, 6));
    EXPECT_EQ(list.add(), nodeZero);  // reused as it is
    EXPECT_EQ(state(), std::make_pair(2, 6));
    list.add();
    EXPECT_EQ(state(), std::make_pair(3, 7));  // 2 + 4 + 8 nodes
    list.clear();
    list.add();
    EXPECT_EQ(state(), std::make_pair(1, 1));
  }
  EXPECT_EQ(PoolValue::alive, 0);
}

using Engine::i32;
using Engine::u32;

struct Sprinter {
  float speed = 0.0f;
};
struct SpeedOf {
  float operator()(const Sprinter& unit) const { return unit.speed; }
};

struct Result {
  std::vector<u32> order;
  u32 comparisons;
  bool operator==(const Result&) const = default;
};

template <class Sorter>
Result resultOf(const Sorter& sorter) {
  Result result{{}, sorter.comparisons()};
  for (u32 i = 0; i < sorter.size(); ++i) {
    result.order.push_back(sorter.indexAt(i));
  }
  return result;
}

template <class Key>
Result sortArray(const std::vector<Key>& keys) {
  Game::Array2D<Key> array(static_cast<i32>(keys.size()));
  for (u32 i = 0; i < keys.size(); ++i) {
    array.at(i) = keys[i];
  }
  Game::IndexSorter<Key> sorter;
  sorter.buildFromArray(array);
  return resultOf(sorter);
}

void PrintTo(const Result& result, std::ostream* out) {
  for (u32 index : result.order) {
    *out << index << ' ';
  }
  *out << "(" << result.comparisons << " comparisons)";
}

TEST(IndexSorterTest, GreatestFirstWithCountedComparisons) {
  EXPECT_EQ(sortArray<i32>({3, 9, 5}), (Result{{1, 2, 0}, 3}));
  EXPECT_EQ(sortArray<i32>({5, 1, 9}), (Result{{2, 0, 1}, 3}));  // one repeated after the rotation
  EXPECT_EQ(sortArray<i32>({4, 1, 2, 9}), (Result{{3, 0, 2, 1}, 5}));
  EXPECT_EQ(sortArray<i32>({5, 5, 5}), (Result{{0, 1, 2}, 3}));
}

TEST(IndexSorterTest, EmptyAndSingleSources) {
  EXPECT_EQ(sortArray<i32>({}), (Result{{}, 0}));
  EXPECT_EQ(sortArray<i32>({42}), (Result{{0}, 0}));
}

TEST(IndexSorterTest, ListOfUnitsByAccessorWithNaNStayingRight) {
  Game::OwnedList<Sprinter> units;
  for (float speed : {2.0f, std::nanf(""), 7.5f, 2.0f}) {
    units.addNew()->speed = speed;
  }
  Game::IndexSorter<Sprinter, SpeedOf> sorter;
  sorter.buildFromList(units);
  // The NaN item never counts as greater than a pivot, so it stays right of
  // the first pivot and, as a pivot itself, lets nothing pass it.
  EXPECT_EQ(resultOf(sorter), (Result{{2, 0, 1, 3}, 5}));
}

}  // namespace
