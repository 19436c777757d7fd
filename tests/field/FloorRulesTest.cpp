#include "field/FloorRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "core/random/RandomGenerator.h"

namespace Game {
namespace {

using Engine::i32;
constexpr i32 kMax = std::numeric_limits<i32>::max();

TEST(FloorRulesTest, ChestMoneyLockAndBandCountsAndBandsKeepOffTheStart) {
  struct Money {
    float draw, level, value;
    i32 money;
  };
  for (const Money& row : {Money{0.5f, 2.f, 1.f, 65537}, Money{0.f, 5.f, 5.f, 1}, Money{0.25f, 3.f, 0.5f, 24577},
                           Money{0.99f, 1e6f, 1e6f, kMax}}) {
    EXPECT_EQ(FloorRules::containerMoney(row.draw, row.level, row.value), row.money) << row.draw << " " << row.level;
  }
  struct Lock {
    i32 pickMax;
    float level;
    i32 bound;
  };
  for (const Lock& row : {Lock{1, 1.f, 3}, Lock{3, 0.5f, 3}, Lock{1, 0.2f, 1}, Lock{1, 1.3f, 4}, Lock{1, -2.f, -2},
                          Lock{0, 1e10f, kMax}, Lock{0, -1e10f, std::numeric_limits<i32>::min() + 1}}) {
    EXPECT_EQ(FloorRules::lockBound(row.pickMax, row.level), row.bound) << row.pickMax << " " << row.level;
  }
  // A bound below 1 draws lock level 0.
  RandomGenerator random(3);
  EXPECT_EQ(random.getInt(FloorRules::lockBound(1, -2.f)), 0);
  struct Bands {
    float jitter;
    i32 cells;
    float frequency;
    i32 count;
  };
  for (const Bands& row : {Bands{0.f, 64, 0.03125f, 2}, Bands{0.5f, 64, 0.03125f, 3}, Bands{-0.5f, 320, 0.03125f, 5},
                           Bands{0.25f, 1000, 1e9f, kMax}}) {
    EXPECT_EQ(FloorRules::enemyCount(row.jitter, row.cells, row.frequency), row.count) << row.jitter;
  }
  // Bands keep two steps from the start.
  struct Row {
    i32 x, y;
    bool near;
  };
  for (const Row& row : {Row{5, 5, true}, Row{7, 5, true}, Row{6, 6, true}, Row{4, 4, true}, Row{7, 6, false},
                         Row{8, 5, false}, Row{5, 2, false}}) {
    EXPECT_EQ(FloorRules::isNearStart(row.x, row.y, 5, 5), row.near) << row.x << "," << row.y;
  }
}

// 1 + luck chests; more while a draw falls under p = 1.25, 1.0, 0.8, ...:
// the first two always, the third one time in five.
TEST(FloorRulesTest, ChestCountGrowsWithLuckAndFrequency) {
  RandomGenerator random(11);
  EXPECT_EQ(FloorRules::treasureCount(0, 0.f, 100, random), 1);
  EXPECT_EQ(FloorRules::treasureCount(2, 0.f, 100, random), 3);
  EXPECT_EQ(FloorRules::treasureCount(0, 1e30f, 6, random), 6);
  i32 fewest = kMax;
  i32 most = 0;
  for (i32 trial = 0; trial < 200; ++trial) {
    const i32 count = FloorRules::treasureCount(0, 1.25f, 100, random);
    fewest = std::min(fewest, count);
    most = std::max(most, count);
  }
  EXPECT_EQ(fewest, 3);
  EXPECT_GT(most, 3);
}

}  // namespace
}  // namespace Game
