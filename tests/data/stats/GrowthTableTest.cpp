#include "data/stats/GrowthTable.h"

#include "tests/data/StatsFixture.h"

namespace {

using Game::Parameters;

class GrowthTableTest : public StatsTestSupport::StatsTest {};

constexpr const char* kTable = "end{HP 100;LP 10;AP1 50;AP2 50;AP3 50;腕力 200;器用さ 100;霊力 100;}";

TEST_F(GrowthTableTest, EndRowIsScaledAndStartRowDerived) {
  Game::GrowthTable table;
  table.read(parse(kTable));
  const Parameters& end = table.end();
  EXPECT_EQ(end[Parameters::kHp], 5000);
  EXPECT_EQ(end[Parameters::kLp], 999);
  EXPECT_EQ(end[Parameters::kAp1], 15);
  EXPECT_EQ(end[Parameters::kAp2], 10);
  EXPECT_EQ(end[Parameters::kAp3], 5);
  EXPECT_EQ(end[Parameters::kStrength], 200);
  EXPECT_EQ(end[Parameters::kPsyche], 15);
  EXPECT_EQ(end[Parameters::kAgility], 0);
  // Point 50: start = base × 100 / 100.
  const Parameters& start = table.start();
  EXPECT_EQ(table.point()[Parameters::kVitality], 50);
  EXPECT_EQ(start[Parameters::kHp], 50);
  EXPECT_EQ(start[Parameters::kLp], 9);
  EXPECT_EQ(start[Parameters::kStrength], 20);
  EXPECT_EQ(start[Parameters::kAp1], 1);
}

TEST_F(GrowthTableTest, PointsBendTheStart) {
  Game::GrowthTable all;
  all.read(parse("point 100;end{腕力 200;}"));
  EXPECT_EQ(all.point()[Parameters::kHp], 100);
  EXPECT_EQ(all.start()[Parameters::kStrength], 10);
  Game::GrowthTable each;
  each.read(parse("point{腕力 20;}end{腕力 200;器用さ 200;}"));
  EXPECT_EQ(each.start()[Parameters::kStrength], 26);
  // A parameter missing from the point child reads as 0.
  EXPECT_EQ(each.start()[Parameters::kDexterity], 30);
}

TEST_F(GrowthTableTest, EvaluationRunsFromTheStartRowToTheEndRow) {
  Game::GrowthTable table;
  table.read(parse(kTable));
  const Parameters first = table.evaluate(0.f);
  const Parameters last = table.evaluate(1.f);
  EXPECT_EQ(first[Parameters::kStrength], 20);
  EXPECT_EQ(last[Parameters::kStrength], 200);
  EXPECT_EQ(table.evaluate(0.5f)[Parameters::kStrength], 110);
  // HP: halfway between the row value and end^((f + 0.8) × 0.5 / 0.9).
  EXPECT_EQ(last[Parameters::kHp], 5000);
  EXPECT_EQ(first[Parameters::kHp],
            static_cast<int>(0.5f * std::pow(5000.f, 0.8f * 0.5f / 0.9f) + 0.5f * 50.f));
  EXPECT_EQ(last[Parameters::kLp], 999);
  // A zero end still leaves 1 HP.
  Game::GrowthTable empty;
  empty.read(parse(""));
  EXPECT_EQ(empty.evaluate(0.f)[Parameters::kHp], 1);
  EXPECT_EQ(empty.evaluate(1.f)[Parameters::kLp], 1);
  EXPECT_EQ(empty.evaluate(1.f)[Parameters::kStrength], 0);
}

TEST_F(GrowthTableTest, CurvesRiseFromZeroToOneBentByThePoint) {
  Game::GrowthTable table;
  table.read(parse("point{HP 50;LP 80;AP1 20;AP2 100;AP3 0;}"));
  for (int i = 0; i <= 4; ++i) {
    float previous = 0.f;
    EXPECT_EQ(table.progress(i, 0.f), 0.f) << i;
    EXPECT_FLOAT_EQ(table.progress(i, 1.f), 1.f) << i;
    for (int step = 1; step <= 20; ++step) {
      const float t = table.progress(i, static_cast<float>(step) / 20.f);
      EXPECT_GE(t, previous) << "parameter " << i << " step " << step;
      previous = t;
    }
  }
  EXPECT_FLOAT_EQ(table.progress(0, 0.5f), 0.5f);
  EXPECT_FLOAT_EQ(table.progress(1, 0.5f), 0.8f);
  EXPECT_FLOAT_EQ(table.progress(2, 0.5f), 0.2f);
}

TEST_F(GrowthTableTest, HugeEndsSaturate) {
  Game::GrowthTable table;
  table.read(parse("end{HP 2000000000;}"));
  EXPECT_EQ(table.end()[Parameters::kHp], 2147483647);
  EXPECT_GT(table.evaluate(1.f)[Parameters::kHp], 0);
}

}  // namespace
