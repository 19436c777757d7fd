#include <gtest/gtest.h>

#include <vector>

#include "core/container/OwnedList.h"

namespace {

using Game::DeferredList;
using Game::OwnedList;

// Records the order in which objects are destroyed.
struct Tracked {
  static inline std::vector<int> destroyed;
  int id = 0;
  Tracked() = default;
  explicit Tracked(int value) : id(value) {}
  virtual ~Tracked() { destroyed.push_back(id); }
  bool operator==(const Tracked& other) const { return id == other.id; }
};

struct Derived : Tracked {
  static inline int derivedDestroyed = 0;
  explicit Derived(int value) : Tracked(value) {}
  ~Derived() override { ++derivedDestroyed; }
};

std::vector<int> idsOf(const OwnedList<Tracked>& list) {
  std::vector<int> ids;
  for (OwnedList<Tracked>::Iterator it(list); !it.isEnd(); it.next()) ids.push_back(it.value() ? it.value()->id : -1);
  return ids;
}

void fill(OwnedList<Tracked>& list, std::initializer_list<int> ids) {
  for (int id : ids) list.pushBack(new Tracked(id));
}

class OwnedListTest : public ::testing::Test {
 protected:
  void SetUp() override { Tracked::destroyed.clear(); }

  OwnedList<Tracked> list;
};

TEST_F(OwnedListTest, InsertingPositionsWithMinusOneAsTheEnd) {
  fill(list, {1, 2, 3});
  list.addNewAt(0)->id = 10;
  EXPECT_EQ(idsOf(list), (std::vector<int>{10, 1, 2, 3}));
  list.addNewAt(-1)->id = 20;
  list.addNewAt(5)->id = 30;  // the count appends too
  list.addNewAt(1)->id = 40;
  EXPECT_EQ(idsOf(list), (std::vector<int>{10, 40, 1, 2, 3, 20, 30}));
  EXPECT_EQ(list.back()->id, 30);
  EXPECT_EQ(list.tail()->mNext, nullptr);
  EXPECT_EQ(list.head()->mPrev, nullptr);
}

TEST_F(OwnedListTest, LookupsOutsideTheListFindNothing) {
  EXPECT_EQ(list.nodeAt(0), nullptr);
  fill(list, {1, 2, 3});
  EXPECT_EQ(list.nodeAt(-1), nullptr);
  EXPECT_EQ(list.nodeAt(3), nullptr);
  EXPECT_EQ(list.indexOf(Tracked(9)), -1);
  EXPECT_EQ(list.indexOf(Tracked(2)), 1);
  Tracked outsider(7);
  EXPECT_EQ(list.indexOfObject(&outsider), -1);
  EXPECT_EQ(list.indexOfObject(list.at(2)), 2);
}

TEST_F(OwnedListTest, RemoveHandsTheObjectBackAndDeleteDestroysIt) {
  fill(list, {1, 2, 3, 4});
  Tracked* taken = list.removeAt(1);
  EXPECT_EQ(taken->id, 2);
  EXPECT_TRUE(Tracked::destroyed.empty());
  delete taken;
  list.deleteAt(2);
  EXPECT_EQ(Tracked::destroyed, (std::vector<int>{2, 4}));
  EXPECT_EQ(idsOf(list), (std::vector<int>{1, 3}));
  EXPECT_EQ(list.back()->id, 3);
}

TEST_F(OwnedListTest, DeleteObjectRemovesEveryNodeButDeletesTheObjectOnce) {
  fill(list, {1});
  Tracked* twice = new Tracked(5);
  list.pushBack(twice);
  list.pushBack(twice);
  EXPECT_EQ(list.deleteObject(twice), 1);
  EXPECT_EQ(Tracked::destroyed, (std::vector<int>{5}));
}

TEST_F(OwnedListTest, SplicingMovesChainsWhole) {
  OwnedList<Tracked> other;
  fill(list, {1, 2});
  fill(other, {8, 9});
  list.spliceAt(0, &other);
  EXPECT_EQ(idsOf(list), (std::vector<int>{8, 9, 1, 2}));
  EXPECT_TRUE(other.isEmpty());
  fill(other, {7});
  list.spliceAt(4, &other);
  fill(other, {6});
  list.spliceAt(1, &other);
  EXPECT_EQ(idsOf(list), (std::vector<int>{8, 6, 9, 1, 2, 7}));
  list.splice(&other);  // empty: nothing changes
  list.splice(nullptr);
  list.splice(&list);  // into itself: nothing, rather than a cycle
  EXPECT_EQ(idsOf(list), (std::vector<int>{8, 6, 9, 1, 2, 7}));
  EXPECT_EQ(list.back()->id, 7);
  EXPECT_TRUE(Tracked::destroyed.empty());
}

TEST_F(OwnedListTest, DeferredWalkDeletesDuringIterationAndPurgesAtItsEnd) {
  fill(list, {0, 1, 2, 3, 4});
  {
    DeferredList<Tracked> walk(list);
    std::vector<int> seen;
    for (int i = 0; !walk.isEnd(); walk.next(), ++i) {
      seen.push_back(walk.value()->id);
      if (i == 1 || i == 3) {
        walk.removeCurrent();
        walk.removeCurrent();  // a second call on the emptied node does nothing
      }
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.at(1), nullptr);
    EXPECT_EQ(idsOf(list), (std::vector<int>{0, -1, 2, -1, 4}));
  }
  EXPECT_EQ(list.count(), 3);
  EXPECT_EQ(idsOf(list), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(Tracked::destroyed, (std::vector<int>{1, 3}));
}

TEST_F(OwnedListTest, ClearDeletesFromHeadToTailThroughVirtualDestructors) {
  list.pushBack(new Derived(1));
  fill(list, {2, 3});
  Derived::derivedDestroyed = 0;
  list.clear();
  EXPECT_EQ(Tracked::destroyed, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Derived::derivedDestroyed, 1);
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.tail(), nullptr);
}

TEST(OwnedListLongTest, AMillionNodesAreDestroyedWithoutRecursion) {
  OwnedList<int> list;
  for (int i = 0; i < 1000000; ++i) list.addCopy(i);
  EXPECT_EQ(*list.back(), 999999);
  list.clear();
  EXPECT_TRUE(list.isEmpty());
}

using OwnedListDeathTest = OwnedListTest;

TEST_F(OwnedListDeathTest, PositionsOutOfRangeHaltInsteadOfFollowingNull) {
  fill(list, {1});
  EXPECT_DEATH((void)list.removeAt(1), "position out of range");
  EXPECT_DEATH(list.addNewAt(3), "position out of range");
  OwnedList<Tracked> empty;
  EXPECT_DEATH(empty.back(), "position out of range");
}

}  // namespace
