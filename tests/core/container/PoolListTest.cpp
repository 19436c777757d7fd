#include <gtest/gtest.h>

#include <vector>

#include "core/container/PoolList.h"

namespace {

using Game::PoolList;

std::vector<int> valuesOf(const PoolList<int>& list) {
  std::vector<int> values;
  for (PoolList<int>::Iterator it(list); !it.isEnd(); it.next()) values.push_back(*it.value());
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
  for (int i = 0; i < 3; ++i) handedOut.push_back(nodeNumber(nodeZero, list.add()));
  EXPECT_EQ(handedOut, (std::vector<std::ptrdiff_t>{3, 2, 1}));
  EXPECT_EQ(list.blockCount(), 1);
}

TEST(PoolListTest, AnUnlinkedNodeIsReusedWithItsOldValue) {
  PoolList<int> list(16);
  for (int i = 0; i < 16; ++i) *list.add() = 100 + i;
  int* third = list.at(3);
  list.unlinkAt(3);
  EXPECT_EQ(list.count(), 15);
  int* reused = list.add();
  EXPECT_EQ(reused, third);
  EXPECT_EQ(*reused, 103);
  EXPECT_EQ(list.blockCount(), 1);
  EXPECT_EQ(list.at(15), reused);
}

// Free nodes are counted, so a full pool skips the scan: the count must stay
// right across unlinks, removals, fresh blocks and clearing.
TEST(PoolListTest, FreedNodesInOlderBlocksAreFoundBeforeANewBlockIsMade) {
  PoolList<int> list(4);
  for (int i = 0; i < 8; ++i) *list.add() = i;
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
  for (int i = 0; i < 4; ++i) list.add();
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
struct Counted {
  static inline int alive = 0;
  Counted() { ++alive; }
  ~Counted() { --alive; }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;
};

TEST(PoolListTest, GrowingBlocksBuildNodesOnlyAsTheyAreHandedOut) {
  {
    PoolList<Counted> list(16, 2);
    const Counted* nodeZero = list.add();
    list.add();
    EXPECT_EQ(Counted::alive, 2);
    for (int i = 0; i < 3; ++i) {
      list.add();  // the second block holds four
    }
    EXPECT_EQ(list.blockCount(), 2);
    EXPECT_EQ(Counted::alive, 5);
    list.remove(nodeZero);
    EXPECT_NE(list.add(), nodeZero);  // the newest block's unbuilt node comes first
    EXPECT_EQ(Counted::alive, 6);
    EXPECT_EQ(list.add(), nodeZero);  // reused as it is
    EXPECT_EQ(Counted::alive, 6);
    list.add();
    EXPECT_EQ(list.blockCount(), 3);  // 2 + 4 + 8 nodes
    EXPECT_EQ(Counted::alive, 7);
    list.clear();
    EXPECT_EQ(Counted::alive, 0);
    list.add();
    EXPECT_EQ(list.blockCount(), 1);
  }
  EXPECT_EQ(Counted::alive, 0);
}

}  // namespace
