#include <gtest/gtest.h>

#include "core/container/Array2D.h"
#include "core/container/FixedArray.h"
#include "core/container/SharedPtr.h"

namespace {

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
  for (Engine::u32 i = 0; i < grid.size(); ++i) grid.at(i) = static_cast<int>(i);
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
