#include "records/stats/GrowthTable.h"

#include <vector>

#include "tests/live/StatsFixture.h"

namespace {

using Game::Parameters;

class GrowthTableTest : public StatsTestSupport::StatsTest {
 protected:
  Game::GrowthTable table(const char* text) {
    Game::GrowthTable out;
    out.read(parse(text));
    return out;
  }
};

constexpr const char* kTable = "end{HP 100;LP 10;AP1 50;AP2 50;AP3 50;腕力 200;器用さ 100;霊力 100;}";

TEST_F(GrowthTableTest, EndRowIsScaledAndStartRowDerived) {
  const Game::GrowthTable growth = table(kTable);
  // Point 50: start = base × 100 / 100.
  EXPECT_EQ(growth.point()[Parameters::kVitality], 50);
  const struct {
    int index, end, start;
  } rows[] = {{Parameters::kHp, 5000, 50},        {Parameters::kLp, 999, 9},   {Parameters::kAp1, 15, 1},
              {Parameters::kAp2, 10, -1},         {Parameters::kAp3, 5, -1},   {Parameters::kStrength, 200, 20},
              {Parameters::kPsyche, 15, -1},      {Parameters::kAgility, 0, -1}};
  for (const auto& row : rows) {
    EXPECT_EQ(growth.end()[row.index], row.end) << row.index;
    if (row.start >= 0) {
      EXPECT_EQ(growth.start()[row.index], row.start) << row.index;
    }
  }
}

TEST_F(GrowthTableTest, PointsBendTheStart) {
  const Game::GrowthTable all = table("point 100;end{腕力 200;}");
  EXPECT_EQ(all.point()[Parameters::kHp], 100);
  EXPECT_EQ(all.start()[Parameters::kStrength], 10);
  const Game::GrowthTable each = table("point{腕力 20;}end{腕力 200;器用さ 200;}");
  EXPECT_EQ(each.start()[Parameters::kStrength], 26);
  // A parameter missing from the point child reads as 0.
  EXPECT_EQ(each.start()[Parameters::kDexterity], 30);
}

TEST_F(GrowthTableTest, EvaluationRunsFromTheStartRowToTheEndRow) {
  const Game::GrowthTable growth = table(kTable);
  const Parameters first = growth.evaluate(0.f);
  const Parameters last = growth.evaluate(1.f);
  EXPECT_EQ(std::vector<int>({first[Parameters::kStrength], growth.evaluate(0.5f)[Parameters::kStrength],
                              last[Parameters::kStrength]}),
            std::vector<int>({20, 110, 200}));
  // HP: halfway between the row value and end^((f + 0.8) × 0.5 / 0.9).
  EXPECT_EQ(last[Parameters::kHp], 5000);
  EXPECT_EQ(first[Parameters::kHp], 47);  // 0.5 × 5000^0.444 (44.05) + 0.5 × 50
  // A zero end still leaves 1 HP and LP.
  const Game::GrowthTable empty = table("");
  EXPECT_EQ(std::vector<int>({empty.evaluate(0.f)[Parameters::kHp], empty.evaluate(1.f)[Parameters::kLp],
                              empty.evaluate(1.f)[Parameters::kStrength]}),
            std::vector<int>({1, 1, 0}));
  // Huge ends saturate.
  const Game::GrowthTable huge = table("end{HP 2000000000;}");
  EXPECT_EQ(huge.end()[Parameters::kHp], 2147483647);
  EXPECT_GT(huge.evaluate(1.f)[Parameters::kHp], 0);
}

TEST_F(GrowthTableTest, CurvesRiseFromZeroToOneBentByThePoint) {
  const Game::GrowthTable growth = table("point{HP 50;LP 80;AP1 20;AP2 100;AP3 0;}");
  for (int i = 0; i <= 4; ++i) {
    float previous = 0.f;
    EXPECT_EQ(growth.progress(i, 0.f), 0.f) << i;
    EXPECT_FLOAT_EQ(growth.progress(i, 1.f), 1.f) << i;
    for (int step = 1; step <= 20; ++step) {
      const float t = growth.progress(i, static_cast<float>(step) / 20.f);
      EXPECT_GE(t, previous) << "parameter " << i << " step " << step;
      previous = t;
    }
  }
  EXPECT_FLOAT_EQ(growth.progress(0, 0.5f), 0.5f);
  EXPECT_FLOAT_EQ(growth.progress(1, 0.5f), 0.8f);
  EXPECT_FLOAT_EQ(growth.progress(2, 0.5f), 0.2f);
}

}  // namespace
