#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "battle/TurnOrder.h"
#include "core/random/RandomGenerator.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Game::Unit;

class TurnOrderTest : public BattleTestSupport::BattleFixture {
 protected:
  std::vector<int> order() {
    std::vector<Unit*> units;
    Game::orderActions(battle, units);
    std::vector<int> indices;
    for (Unit* unit : units) {
      indices.push_back(static_cast<int>(std::find(battle.units.begin(), battle.units.end(), unit) -
                                         battle.units.begin()));
    }
    return indices;
  }
};

TEST_F(TurnOrderTest, EqualKeysKeepTheEarlierUnitInFront) {
  // Speed 0 draws at most 1, which vanishes beside the art's 2^25: the three
  // planned units tie, the one without a plan goes last.
  for (int i = 0; i < 4; ++i) {
    Unit& unit = addUnit(0, 0, i, 0);
    if (i > 0) {
      unit.planAction(-1, art("早業"), unit.place());
    }
  }
  EXPECT_EQ(order(), (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(TurnOrderTest, KeysAreDrawnAnewOnEveryCallInUnitListOrder) {
  const int speeds[] = {10, 20, 30, 40};
  for (int speed : speeds) {
    addUnit(1, 0, 0, speed);
  }
  Game::RandomGenerator::instance()->setSeed(11);
  Game::RandomGenerator draws(11);
  std::vector<std::vector<int>> orders;
  for (int call = 0; call < 2; ++call) {
    std::vector<float> keys;
    for (int speed : speeds) {
      const float r = draws.getFloat(1.f);
      keys.push_back(static_cast<float>(speed + 1) * (1.f - r * r));
    }
    std::vector<int> expected{0, 1, 2, 3};
    std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) { return keys[a] > keys[b]; });
    orders.push_back(order());
    EXPECT_EQ(orders.back(), expected) << "call " << call;
  }
  // Pinned for seed 11.
  EXPECT_EQ(orders, (std::vector<std::vector<int>>{{3, 1, 2, 0}, {3, 2, 0, 1}}));
}

}  // namespace
