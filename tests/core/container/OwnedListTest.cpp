#include <gtest/gtest.h>

#include <vector>

#include "core/container/Array2D.h"
#include "core/container/FixedArray.h"
#include "core/container/OwnedList.h"
#include "core/container/SharedPtr.h"

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
  for (OwnedList<Tracked>::Iterator it(list); !it.isEnd(); it.next()) {
    ids.push_back(it.value() ? it.value()->id : -1);
  }
  return ids;
}

void fill(OwnedList<Tracked>& list, std::initializer_list<int> ids) {
  for (int id : ids) {
    list.pushBack(new Tracked(id));
  }
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
  for (int i = 0; i < 1000000; ++i) {
    list.addCopy(i);
  }
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

using Game::Array2D;
using Game::SharedPtr;

// Counts live objects and destructions.
struct Counted {
  static inline int alive = 0;
  static inline int destroyed = 0;
  int id = 0;
  Counted() { ++alive; }
  explicit Counted(int value) : id(value) { ++alive; }
  Counted(const Counted& other) : id(other.id) { ++alive; }
  Counted& operator=(const Counted&) = default;
  ~Counted() {
    --alive;
    ++destroyed;
  }
};

class CountedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Counted::alive = 0;
    Counted::destroyed = 0;
  }
  void TearDown() override { EXPECT_EQ(Counted::alive, 0); }
};

using Array2DTest = CountedTest;

TEST_F(Array2DTest, SizesBelowOneLeaveNoStorage) {
  Array2D<int> array(5);
  array.setSize(0);
  EXPECT_EQ(array.data(), nullptr);
  EXPECT_EQ(array.size(), 0u);
  array.setSize(-3);
  EXPECT_EQ(array.sizeX(), 0);
  EXPECT_EQ(array.sizeY(), 0);
  array.setSize2D(4, 0);
  EXPECT_EQ(array.data(), nullptr);
  EXPECT_EQ(array.sizeX(), 0);
}

TEST_F(Array2DTest, RowsOfConsecutiveElementsAndUnsignedBounds) {
  Array2D<int> grid(3, 5);
  EXPECT_EQ(grid.size(), 15u);
  for (Engine::u32 i = 0; i < grid.size(); ++i) {
    grid.at(i) = static_cast<int>(i);
  }
  EXPECT_EQ(grid.atXY(2, 4), 14);
  EXPECT_EQ(&grid.atXY(2, 4), &grid.last());
  EXPECT_TRUE(grid.isInside(2, 4));
  EXPECT_FALSE(grid.isInside(3, 0));
  EXPECT_FALSE(grid.isInside(-1, 0));
  EXPECT_FALSE(grid.isInside(0, 5));
}

TEST_F(Array2DTest, AssignCopiesOneDimensionallyAndIgnoresItself) {
  Array2D<Counted> grid(3, 5);
  EXPECT_EQ(Counted::alive, 15);
  grid.atXY(1, 2).id = 7;
  Array2D<Counted> copy;
  copy.assign(grid);
  EXPECT_EQ(copy.sizeX(), 15);
  EXPECT_EQ(copy.sizeY(), 1);
  EXPECT_EQ(copy.at(7).id, 7);
  copy.assign(copy);
  EXPECT_EQ(copy.size(), 15u);
  EXPECT_EQ(copy.at(7).id, 7);
  grid.setSize(2);  // resizing discards and destroys the old elements
  EXPECT_EQ(Counted::alive, 17);
}

using SharedPtrTest = CountedTest;

TEST_F(SharedPtrTest, ResettingOneOfThreeHoldersLeavesTheOthersTheFirstObject) {
  SharedPtr<Counted> a;
  a.reset(new Counted(1));
  SharedPtr<Counted> b(a);
  SharedPtr<Counted> c;
  c = b;
  EXPECT_EQ(a.useCount(), 3);
  c.reset(new Counted(2));
  EXPECT_EQ(a->id, 1);
  EXPECT_EQ(a.useCount(), 2);
  EXPECT_EQ(c->id, 2);
  a.reset();
  EXPECT_EQ(Counted::destroyed, 0);
  b.reset();
  EXPECT_EQ(Counted::destroyed, 1);
  c.reset(nullptr);
  EXPECT_EQ(Counted::destroyed, 2);
  EXPECT_EQ(c.useCount(), 0);
}

TEST_F(SharedPtrTest, SelfAssignmentAndResetToTheHeldObjectChangeNothing) {
  SharedPtr<Counted> a;
  a.reset(new Counted(1));
  SharedPtr<Counted>& alias = a;
  a = alias;
  a.reset(a.get());
  EXPECT_EQ(Counted::destroyed, 0);
  SharedPtr<Counted> b(a);
  b.reset(a.get());
  EXPECT_EQ(a.useCount(), 2);
  EXPECT_EQ(Counted::destroyed, 0);
  EXPECT_EQ(a->id, 1);
  b.reset();
  a.reset(new Counted(2));  // the sole owner deletes the old object
  EXPECT_EQ(Counted::destroyed, 1);
  EXPECT_EQ(a.useCount(), 1);
  SharedPtr<Counted> empty;
  SharedPtr<Counted> copy(empty);
  copy = empty;
  EXPECT_EQ(copy.get(), nullptr);
  EXPECT_EQ(empty.useCount(), 0);
}

// A record whose copies share their members, as ability records do.
struct SharingRecord {
  SharedPtr<Counted> trigger;
  SharedPtr<Counted> expression;
};

TEST_F(SharedPtrTest, CopiedRecordsDeleteEachObjectExactlyOnce) {
  {
    Game::FixedArray<SharingRecord, 3> records;
    records.at(0).trigger.reset(new Counted(1));
    records.at(0).expression.reset(new Counted(2));
    records.at(1) = records.at(0);
    records.at(2) = records.at(1);
    records.at(1).expression.reset(new Counted(3));
    EXPECT_EQ(records.at(0).trigger.useCount(), 3);
    EXPECT_EQ(records.at(2).expression.useCount(), 2);
  }
  EXPECT_EQ(Counted::destroyed, 3);
}

}  // namespace
