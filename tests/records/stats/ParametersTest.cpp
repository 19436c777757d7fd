#include "records/stats/Parameters.h"

#include "tests/live/StatsFixture.h"

namespace {

using Game::Parameters;
using Game::StatusBlock;

class ParametersTest : public StatsTestSupport::StatsTest {};

// Strength, dexterity, intellect, agility, vitality, spirit, psyche.
Parameters attributes(int s, int d, int i, int a, int v, int sp, int ps) {
  Parameters p;
  int index = Parameters::kStrength;
  for (const int value : {s, d, i, a, v, sp, ps}) {
    p[index++] = value;
  }
  return p;
}

TEST_F(ParametersTest, ReadTakesNamedKeysAndZeroesTheRest) {
  Parameters p;
  p[Parameters::kLp] = 9;
  p.read(parse("HP 120;腕力 14;霊力 -3;other 5;"));
  EXPECT_EQ(p[Parameters::kHp], 120);
  EXPECT_EQ(p[Parameters::kLp], 0);
  EXPECT_EQ(p.value("腕力"), 14);
  EXPECT_EQ(p[Parameters::kPsyche], -3);
  EXPECT_EQ(p.value("nothing"), 0);
}

TEST_F(ParametersTest, WriteThenReadGivesTheSameBlock) {
  Parameters p = attributes(1, 2, 3, 4, 5, 6, 7);
  p[Parameters::kAp2] = 11;
  Game::NmlNode node;
  p.write(node);
  Parameters back;
  back.read(node);
  EXPECT_EQ(back, p);
}

TEST_F(ParametersTest, AddSaturatesInsteadOfWrapping) {
  Parameters a;
  Parameters b;
  a[0] = 2000000000;
  b[0] = 2000000000;
  b[1] = -4;
  a.add(b);
  EXPECT_EQ(a[0], 2147483647);
  EXPECT_EQ(a[1], -4);
}

TEST_F(ParametersTest, DerivedStatusValues) {
  const struct {
    Parameters parameters;
    StatusBlock::Index status;
    int expected;
  } cases[] = {
      {attributes(10, 0, 0, 0, 20, 0, 0), StatusBlock::kDefense, 17},
      {attributes(0, 0, 10, 0, 0, 20, 0), StatusBlock::kMagicDefense, 17},
      {attributes(0, 0, 0, 0, 0, 0, 0), StatusBlock::kCharisma, 0},
      // cbrt(1000) × 1.1 = 11: the float third keeps the root at 10, not 9.99.
      {attributes(0, 0, 0, 10, 10, 10, 0), StatusBlock::kResist, 11},
      {attributes(2, 2, 2, 0, 0, 0, 0), StatusBlock::kCharisma, 2},
      // A product made negative by a status-down boost counts as 0.
      {attributes(-8, 10, 10, 0, 0, 0, 0), StatusBlock::kCharisma, 0},
      {attributes(0, 0, 0, -3, 5, 7, 0), StatusBlock::kResist, 0},
      // 2000³ does not fit 32 bits.
      {attributes(2000, 2000, 2000, 0, 0, 0, 0), StatusBlock::kCharisma, 2200},
      {attributes(-5, 0, 0, 0, -5, 0, 0), StatusBlock::kDefense, 0},
      {attributes(0, 0, 0, 0, 0, 0, -300), StatusBlock::kPsycho, -256},
      {attributes(0, 0, 0, 0, 0, 0, -40), StatusBlock::kPsycho, -40},
      {attributes(0, 0, 0, -9, 0, 0, 0), StatusBlock::kSpeed, 0},
      {attributes(7, 6, 5, 4, 0, 0, 0), StatusBlock::kDexterity, 6},
  };
  for (const auto& c : cases) {
    StatusBlock status;
    status[StatusBlock::kWeapon] = 50;
    status.derive(c.parameters);
    EXPECT_EQ(status[c.status], c.expected) << "status " << c.status;
    EXPECT_EQ(status[StatusBlock::kWeapon], 0);
  }
}

TEST_F(ParametersTest, StatusByKeyName) {
  StatusBlock status;
  status.derive(attributes(10, 0, 0, 0, 20, 0, 0));
  EXPECT_EQ(status.value("Defense"), 17);
  EXPECT_EQ(status.value("defense"), 0);
}

TEST_F(ParametersTest, PerformanceReadsWeaponAndProtector) {
  const auto read = [this](const char* text) {
    Game::Performance p;
    p.read(parse(text));
    return p;
  };
  EXPECT_EQ(read("weapon 12;protector 4,6;"), (Game::Performance{12, 4, 6}));
  EXPECT_EQ(read("protector 3;"), (Game::Performance{0, 3, 0}));
}

TEST_F(ParametersTest, ScaledPerformanceKeepsPositiveValuesAtOne) {
  const Game::Performance p{10, 1, 0};
  EXPECT_EQ(p.scaled(0.5f), (Game::Performance{5, 1, 0}));
  EXPECT_EQ(p.scaled(0.f), (Game::Performance{1, 1, 0}));
  EXPECT_EQ((Game::Performance{-4, 0, 0}).scaled(0.5f).weapon, -2);
}

}  // namespace
