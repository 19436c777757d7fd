#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/container/IndexSorter.h"

namespace {

using Engine::i32;
using Engine::u32;

struct Unit {
  float speed = 0.0f;
};
struct SpeedOf {
  float operator()(const Unit& unit) const { return unit.speed; }
};

struct Result {
  std::vector<u32> order;
  u32 comparisons;
  bool operator==(const Result&) const = default;
};

template <class Sorter>
Result resultOf(const Sorter& sorter) {
  Result result{{}, sorter.comparisons()};
  for (u32 i = 0; i < sorter.size(); ++i) result.order.push_back(sorter.indexAt(i));
  return result;
}

template <class Key>
Result sortArray(const std::vector<Key>& keys) {
  Game::Array2D<Key> array(static_cast<i32>(keys.size()));
  for (u32 i = 0; i < keys.size(); ++i) array.at(i) = keys[i];
  Game::IndexSorter<Key> sorter;
  sorter.buildFromArray(array);
  return resultOf(sorter);
}

void PrintTo(const Result& result, std::ostream* out) {
  for (u32 index : result.order) *out << index << ' ';
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
  Game::OwnedList<Unit> units;
  for (float speed : {2.0f, std::nanf(""), 7.5f, 2.0f}) units.addNew()->speed = speed;
  Game::IndexSorter<Unit, SpeedOf> sorter;
  sorter.buildFromList(units);
  // The NaN item never counts as greater than a pivot, so it stays right of
  // the first pivot and, as a pivot itself, lets nothing pass it.
  EXPECT_EQ(resultOf(sorter), (Result{{2, 0, 1, 3}, 5}));
}

TEST(IndexSorterTest, SortedInputInEitherDirectionCostsQuadraticComparisons) {
  constexpr i32 kCount = 2000;
  std::vector<i32> ascending(kCount);
  std::vector<i32> descending(kCount);
  for (i32 i = 0; i < kCount; ++i) {
    ascending[static_cast<u32>(i)] = i;
    descending[static_cast<u32>(i)] = kCount - i;
  }
  const u32 everyPair = kCount * (kCount - 1) / 2;
  const Result down = sortArray(descending);
  EXPECT_EQ(down.comparisons, everyPair);
  EXPECT_EQ(down.order.front(), 0u);
  const Result up = sortArray(ascending);
  EXPECT_EQ(up.order.front(), static_cast<u32>(kCount - 1));
  EXPECT_EQ(up.order.back(), 0u);
}

}  // namespace
