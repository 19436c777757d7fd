#include <gtest/gtest.h>

#include <vector>

#include "core/random/RandomGenerator.h"
#include "core/random/WeightedTable.h"

namespace {

using Game::RandomGenerator;

// Seeded floors are rebuilt from a saved seed: the draws of every operation,
// in their order, are pinned here for seed 2026.
TEST(RandomGeneratorTest, AFixedSeedGivesThePinnedDraws) {
  RandomGenerator random(2026);
  EXPECT_EQ(random.seed(), 2026);
  std::vector<int> ints;
  for (int i = 0; i < 6; ++i) {
    ints.push_back(random.getInt(1000));
  }
  EXPECT_EQ(ints, (std::vector<int>{538, 919, 186, 220, 219, 127}));
  const std::vector<float> floats = {random.getFloat(10.f), random.getFloat(10.f), random.getFloat(10.f)};
  EXPECT_EQ(floats, (std::vector<float>{3.828185796737671f, 6.018655300140381f, 1.2586474418640137f}));
  std::vector<bool> coins;
  for (int i = 0; i < 6; ++i) {
    coins.push_back(random.coin());
  }
  EXPECT_EQ(coins, (std::vector<bool>{false, false, false, true, true, true}));
  EXPECT_EQ(random.getSignedFloat(5.f), -4.911182403564453f);

  std::vector<int> order = {0, 1, 2, 3, 4, 5, 6, 7};
  random.shuffle(order.data(), 8);
  EXPECT_EQ(order, (std::vector<int>{2, 7, 4, 0, 6, 3, 1, 5}));
  const Game::RandomPermutation permutation(random, 8);
  for (int i = 0; i < 8; ++i) {
    order[static_cast<std::size_t>(i)] = permutation.at(i);
  }
  EXPECT_EQ(order, (std::vector<int>{5, 7, 6, 3, 0, 1, 2, 4}));
}

TEST(RandomGeneratorTest, GetIntOfNothingIsZeroAndTakesNoDraw) {
  RandomGenerator random(99);
  RandomGenerator twin(99);
  EXPECT_EQ(random.getInt(0), 0);
  EXPECT_EQ(random.getInt(-4), 0);
  EXPECT_EQ(random.getInt(1000), twin.getInt(1000));
  random.shuffle(static_cast<int*>(nullptr), 0);
  EXPECT_EQ(random.getInt(1000), twin.getInt(1000));
}

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

// Seeded floors and effects place things with the vector draws: which draws
// each one takes, and in what order, must never change. The same calls in a
// row from one seed give these vectors on every build: a change of order, of
// draws or of the angle helpers shows here.
TEST(RandomVectorTest, ASeedGivesThePinnedVectors) {
  using Engine::Math::Vector3;
  RandomGenerator random(2026);
  Vector3 v;
  const auto expectNear = [&v](float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-3f);
    EXPECT_NEAR(v.y, y, 1e-3f);
    EXPECT_NEAR(v.z, z, 1e-3f);
  };
  random.getDirection(&v, 0.f, 360.f, 0.f, 90.f);
  expectNear(0.464233f, -0.836757f, 0.290388f);
  random.getFlatVector(&v, 100.f);
  expectNear(-20.77145f, 66.65623f, 0.f);
  random.getSpatialVector(&v, 100.f);
  expectNear(50.62848f, -45.88346f, 22.64425f);
  random.getBoxVector(&v, 10.f, 0.f, 20.f);
  expectNear(-7.482705f, 0.f, 19.37943f);
  random.jitterVector(&v, Vector3(0.f, 0.f, 100.f), 15.f, 15.f, 15.f);
  expectNear(-19.96668f, 24.27437f, 94.93201f);
  EXPECT_EQ(random.getInt(1000), 152);

  // A box of no extent takes no draw, an angle of 0 still does.
  RandomGenerator again(2026);
  again.getCenteredDirection(&v, 60.f, 40.f);
  expectNear(0.918375f, 0.331304f, -0.216393f);
  again.getBoxVector(&v, 0.f, 0.f, 0.f);
  expectNear(0.f, 0.f, 0.f);
  again.getBoxVector(&v, 0.f, -2.f, 0.f);
  expectNear(0.f, -0.792706f, 0.f);
  again.jitterVector(&v, Vector3(1.f, 2.f, 3.f), 0.f, 0.f, 45.f);
  expectNear(-0.010224f, 2.236045f, 3.f);
  EXPECT_EQ(again.getInt(1000), 619);
}

}  // namespace

