#include <gtest/gtest.h>

#include <vector>

#include "core/random/RandomGenerator.h"
#include "core/random/WeightedTable.h"

namespace {

using Game::RandomGenerator;
using Game::WeightedTable;

TEST(WeightedTableTest, AZeroWeightIsNeverPicked) {
  WeightedTable table(2);  // more entries than the room made at first
  table.add(10, 1.f);
  table.add(20, 0.f);
  table.add(30, 3.f);
  EXPECT_EQ(table.count(), 3);
  EXPECT_FLOAT_EQ(table.totalWeight(), 4.f);
  RandomGenerator random(2026);
  int tens = 0;
  for (int i = 0; i < 4000; ++i) {
    const int value = table.pick(random);
    ASSERT_TRUE(value == 10 || value == 30) << value;
    tens += value == 10;
  }
  EXPECT_NEAR(tens / 4000.0, 0.25, 0.03);
}

TEST(WeightedTableTest, TablesWithNothingToPick) {
  RandomGenerator random(3);
  RandomGenerator twin(3);
  WeightedTable zeros;
  zeros.add(7, 0.f);
  zeros.add(8, 0.f);
  EXPECT_EQ(zeros.pick(random), 0);  // after 1024 misses
  for (int i = 0; i < 1024; ++i) {
    twin.getFloat(0.f);
  }
  EXPECT_EQ(random.getInt(1 << 30), twin.getInt(1 << 30));

  const WeightedTable empty;
  EXPECT_EQ(empty.pick(random), -1);
  EXPECT_EQ(empty.pickWithin(5.f, random), -1);
  EXPECT_EQ(empty.totalWeight(), 0.f);
}

TEST(RandomPermutationTest, PermutationsArePermutations) {
  RandomGenerator random(42);
  for (int n = 0; n <= 40; ++n) {
    const Game::RandomPermutation order(random, n);
    ASSERT_EQ(order.count(), n);
    std::vector<bool> seen(static_cast<size_t>(n), false);
    for (int i = 0; i < n; ++i) {
      const int k = order.at(i);
      ASSERT_GE(k, 0);
      ASSERT_LT(k, n);
      EXPECT_FALSE(seen[static_cast<size_t>(k)]);
      seen[static_cast<size_t>(k)] = true;
    }
  }
  for (int seed = 1; seed < 20; ++seed) {
    RandomGenerator other(seed);
    EXPECT_EQ(Game::RandomPermutation(other, 1).at(0), 0);
  }
}

}  // namespace
