#include "records/stats/AmountSpec.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/live/StatsFixture.h"

namespace {

class AmountSpecTest : public StatsTestSupport::StatsTest {};

TEST_F(AmountSpecTest, ReadStartsFromTheDefaultsAndTurnsPercentsIntoRates) {
  Game::AmountSpec spec;
  spec.constance = 8;
  spec.read(parse("status Magic,1500;rateMaxHP 10;rateCurrentLP 25;myHP 50;stamina 30;pierce 20;"));
  EXPECT_EQ(std::vector<int>({spec.constance, spec.statusIndex, spec.statusPower}), std::vector<int>({0, 5, 15}));
  EXPECT_EQ(std::vector<float>({spec.rateMaxHP, spec.rateCurrentLP, spec.myHP, spec.stamina, spec.pierce, spec.random}),
            std::vector<float>({0.1f, 0.25f, 0.5f, 0.3f, 0.2f, 0.1f}));
  // The combined rates hide the single ones.
  spec.read(parse("rateMax 20;rateMaxHP 90;rateCurrent 5;rateCurrentLP 70;constance 30;random 0;"));
  EXPECT_EQ(std::vector<float>({spec.rateMaxHP, spec.rateMaxLP, spec.rateCurrentLP}),
            std::vector<float>({0.2f, 0.2f, 0.05f}));
  EXPECT_EQ(spec.constance, 30);
  EXPECT_EQ(spec.randomFactor(), 1.f);
}

TEST_F(AmountSpecTest, RandomFactorSpreadsByTheRate) {
  Game::AmountSpec spec;
  float low = 2.f;
  float high = 0.f;
  for (int i = 0; i < 2000; ++i) {
    const float f = spec.randomFactor();
    low = std::min(low, f);
    high = std::max(high, f);
  }
  EXPECT_GE(low, 0.9f);
  EXPECT_LT(low, 0.91f);
  EXPECT_LT(high, 1.1f);
  EXPECT_GT(high, 1.09f);
}

TEST_F(AmountSpecTest, TargetTermIsAtLeastOneWithARateAndAtMost9999) {
  Game::AmountSpec spec;
  spec.random = 0.f;
  EXPECT_EQ(spec.targetTerm(500, 500, 500, 500, 1.f), 0);
  spec.rateCurrentHP = 0.01f;
  EXPECT_EQ(spec.targetTerm(0, 0, 3, 0, 1.f), 1);
  EXPECT_EQ(spec.targetTerm(0, 0, 5000, 0, 1.1f), 55);
  spec.rateMaxHP = 1.f;
  spec.rateMaxLP = 1.f;
  EXPECT_EQ(spec.targetTerm(900000, 9999, 0, 0, 1.f), 9999);
  spec.myHP = 0.5f;
  spec.myLP = 0.25f;
  EXPECT_EQ(spec.myTerm(101, 10), 53);
}

TEST_F(AmountSpecTest, PlaceDistance) {
  struct Case {
    Game::Place a, b;
    float expected;
  };
  const Case cases[] = {
      {{0, 1, 2}, {0, 1, 2}, 0.f},
      {{0, 0, 0}, {0, 2, 0}, 2.f},
      {{0, 0, 0}, {1, 0, 0}, 1.f},  // the two front rows face each other
      {{1, 1, 1}, {0, 2, 1}, 4.f},
      {{0, 2, 0}, {0, 0, 1}, std::sqrt(5.f)},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(Game::placeDistance(c.a, c.b), c.expected);
  }
}

}  // namespace
