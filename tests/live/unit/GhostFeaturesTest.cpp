// Rules of the ghosts over the sample data: an enemy's sheet, rewards,
// resistances and form changes, base stats (with one more bonus point
// each), a character's level ups, broken gear and status sheet; the face a
// ghost is drawn with.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "running/game/GameData.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Experience.h"
#include "live/Unit.h"
#include "live/unit/EnemyGhost.h"
#include "live/unit/PlayerGhost.h"
#include "live/unit/StatusSheet.h"
#include "live/widget/GhostWidget.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/widget/TextGrid.h"
#include "records/Database.h"
#include "records/database/ShellData.h"
#include "records/table/StateTable.h"
#include "tests/Services.h"
#include "tests/running/game/GameFixture.h"

namespace {

using Engine::i32;
using Game::Parameters;
using Game::StatusSheet::kAllRows;

const Game::NmlNode& parsed(Game::NmlNode& root, const std::string& text) {
  EXPECT_TRUE(root.parse(text.c_str(), true)) << text;
  return *root.child(0);
}

std::vector<std::string> rowOf(Game::TextGrid& grid, i32 row) {
  std::vector<std::string> cells;
  for (i32 column = 0; column < grid.columns(); ++column) {
    const char* text = grid.cell(row, column).text.c_str();
    cells.emplace_back(text ? text : "");
  }
  return cells;
}

using EnemyRulesTest = GameTestSupport::GameTest;

// An enemy has no experience or points: its sheet shows zeros for them.
TEST_F(EnemyRulesTest, AnEnemysSheetShowsZerosForWhatOnlyCharactersHave) {
  Game::EnemyGhost enemy;
  enemy.setUp(*database().findEnemy("骨の兵士"), 0.f, 0, 1.f);
  Game::TextGrid grid;
  Game::StatusSheet::fillTable(grid, enemy, kAllRows);
  // Level 3, its lowest, then the experience and the cells of rows 3 and 4.
  EXPECT_EQ(std::vector<std::string>({rowOf(grid, 1)[1], rowOf(grid, 1)[3], rowOf(grid, 3)[1], rowOf(grid, 3)[3],
                                      rowOf(grid, 3)[5], rowOf(grid, 4)[1]}),
            std::vector<std::string>({"3", "0", "0", "0", "0", "0"}));
}

// The successor starts at the level factor of the level reached, with the
// same scale, and no rank on top; a record without one stays. 骨の騎士 spans
// 6..10: from level 20, 6 + trunc(f × ((1 − f) × 93 + f × 4)) = 20 with
// f = 19 / 98, cut to its highest; from level 1 (f = 0), its lowest.
TEST_F(EnemyRulesTest, ANamedSuccessorTakesOverAtTheLevelReached) {
  Game::EnemyGhost enemy;
  enemy.setUp(*database().findEnemy("泥スライム"), 0.f, 0, 2.f);
  EXPECT_FALSE(enemy.metamorphose());
  EXPECT_STREQ(enemy.getName(), "泥スライム");
  for (const auto& [level, reached] : {std::pair{"20", 10}, {"1", 6}}) {
    Game::NmlNode root;
    Game::EnemyData larva;
    larva.read(parsed(root, std::string("enemy{name 幼虫;level ") + level +
                                ";equip{weapon 1;}status{point 50;}action{}metamorphose{name 骨の騎士;expression 1;}}"),
               database().states());
    larva.linkMetamorphoses();
    enemy.setUp(larva, 0.f, 0, 2.f);
    ASSERT_TRUE(enemy.metamorphose());
    EXPECT_EQ(std::tuple(enemy.record(), enemy.getLevel(), enemy.scale()),
              std::tuple(database().findEnemy("骨の騎士"), reached, 2.f)) << level;
  }
}

// 骨の兵士 is weak to light (光 −10): one line, for the battle to show (the
// lines of each resistance are ItemDefenseLines', ArticleTest's).
TEST_F(EnemyRulesTest, ResistancesGiveTheirLines) {
  std::vector<Game::String> lines;
  Game::EnemyGhost().describeResistances(lines);
  EXPECT_TRUE(lines.empty());
  Game::EnemyGhost soldier;
  soldier.setUp(*database().findEnemy("骨の兵士"), 0.5f, 0, 1.f);
  soldier.describeResistances(lines);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_STREQ(lines[0].c_str(), "光に弱い");
}

// Huge parameters of data must not wrap the rewards around.
TEST_F(EnemyRulesTest, RewardsOfHugeParametersSaturate) {
  Game::NmlNode root;
  ASSERT_TRUE(root.parse("enemy{name 巨人;equip{weapon 1;}money 2147483647;level 99;status{point 50;end{"
                         "HP 2147483647;LP 2147483647;腕力 2147483647;器用さ 2147483647;知力 2147483647;"
                         "敏捷 2147483647;体力 2147483647;精神 2147483647;霊力 2147483647;}}action{}}",
                         true));
  Game::EnemyData giant;
  giant.read(*root.findChild("enemy"), database().states());
  Game::EnemyGhost enemy;
  enemy.setUp(giant, 1.f, 0, 1.f);
  EXPECT_GE(std::min({enemy.getMoneyReward(), enemy.getExperienceReward(), enemy.getMasterExperienceReward()}), 0);
}

// A shell whose growth ends at 0: at level 1 HP and LP are 1, every other
// parameter 0, so the bonus alone makes the values.
class BoostedStatsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Game::NmlNode root;
    shell.read(parsed(root, "shell{name 影;face none;status{point 50;}skill{}equip{weapon 2;}defense{}}"), states);
    ghost.setUp(shell, 0);
  }

  Game::StateTable states;
  Game::ShellData shell;
  Game::PlayerGhost ghost;
};

TEST_F(BoostedStatsTest, EveryBonusValueCountsOneMore) {
  ghost.bonus()[Parameters::kHp] = 99;
  ghost.bonus()[Parameters::kLp] = 2;
  ghost.bonus()[Parameters::kStrength] = 3;
  ghost.bonus()[Parameters::kAp2] = -1;
  Parameters now, next;
  i32 weaponNow = 0, weaponNext = 0;
  Game::AttackBlock attack;
  Game::DefenseBlock defense;
  ghost.gatherBaseStats(now, weaponNow, attack, defense);
  ghost.gatherBoostedStats(next, weaponNext, attack, defense);
  // HP: trunc((1 + 99) × 1.2) = 120 now, trunc((1 + 100) × 1.2) = 121 after.
  std::vector<std::vector<i32>> values(2);
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    values[0].push_back(now[i]);
    values[1].push_back(next[i]);
  }
  EXPECT_EQ(values, (std::vector<std::vector<i32>>{{120, 3, 0, -1, 0, 3, 0, 0, 0, 0, 0, 0},
                                                   {121, 4, 1, 0, 1, 4, 1, 1, 1, 1, 1, 1}}));
  // Only the parameters move: the shell's weapon stays; the bonus itself is
  // untouched.
  EXPECT_EQ(
      std::vector<i32>({weaponNow, weaponNext, ghost.bonus()[Parameters::kHp], ghost.bonus()[Parameters::kSpirit]}),
      std::vector<i32>({2, 2, 99, 0}));
  // A bonus at the top does not wrap.
  ghost.bonus()[Parameters::kIntellect] = 0x7fffffff;
  ghost.gatherBoostedStats(next, weaponNext, attack, defense);
  EXPECT_EQ(next[Parameters::kIntellect], 0x7fffffff);
}


// Kessa: 鉄の剣 in slot 0, 革の鎧 in slot 3.
class PlayerRulesTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ghost.setUp(shell("Kessa"), 0);
  }
  const Game::ShellData& shell(const char* name) { return *database().findShell(name); }

  Game::PlayerGhost ghost;
};

TEST_F(PlayerRulesTest, TwoLevelsAtOnceGiveTwoPointsAndOneLine) {
  std::vector<Game::String> lines;
  ghost.gainExperience(&lines, Game::Experience::forLevel(3), 0);
  EXPECT_EQ(std::pair(ghost.getLevel(), ghost.bonusPoint()), std::pair(3, 2));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_STREQ(lines[0].c_str(), "レベルがアップ！");
  ghost.gainExperience(&lines, 0, Game::Experience::forMasterLevel(2));
  EXPECT_EQ(ghost.masterPoint(), 2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_STREQ(lines[1].c_str(), "O.Lv がアップ！");
  // Experience near the top saturates instead of wrapping negative.
  ghost.gainExperience(nullptr, 0x7fffffff, 0x7fffffff);
  EXPECT_EQ(std::pair(ghost.experience(), ghost.getLevel()), std::pair(0x7fffffff, Game::Experience::kMaxLevel));
}

TEST_F(PlayerRulesTest, ABrokenWeaponIsReportedOnceAndLeavesItsSlot) {
  ghost.setUp(shell("灯りのミオ"), 0);
  for (int i = 0; i < 3; ++i) ghost.useEquipment(0);
  std::vector<Game::String> lines;
  EXPECT_EQ(ghost.collectBrokenEquipment(lines), 1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_STREQ(lines[0].c_str(), "投げナイフが壊れた");
  EXPECT_FALSE(ghost.getEquipment(0));
  EXPECT_EQ(ghost.collectBrokenEquipment(lines), 0);
}

TEST_F(PlayerRulesTest, LifeAndApStayWithinTheDerivedMaxima) {
  const Parameters maxima = Game::Unit(ghost).parameters();
  ghost.lpRef() = maxima[Parameters::kLp] + 500;
  ghost.clampToDerivedCaps();
  EXPECT_EQ(ghost.lp(), maxima[Parameters::kLp]);
  // Adding to full values must not wrap around.
  ghost.fillAp();
  ghost.lpRef() = Game::Ghost::kFull;
  ghost.addAp(Game::Ghost::kFull);
  ghost.addLp(Game::Ghost::kFull);
  EXPECT_EQ(std::pair(ghost.lp(), ghost.getAp(0)), std::pair(maxima[Parameters::kLp], maxima[Parameters::kAp1]));
  ghost.lpRef() = -5;
  ghost.clampToDerivedCaps();
  EXPECT_EQ(ghost.lp(), 0);
}

// Kessa at level 12 and 5 points.
class StatusSheetTest : public PlayerRulesTest {
 protected:
  void SetUp() override {
    PlayerRulesTest::SetUp();
    ghost.setUp(shell("Kessa"), Game::Experience::forLevel(12) + 5);
  }
};

// Columns line up from sheet to sheet whatever the name: the labels' column
// is "O.Lv " wide (5 bytes of font 1: 50 units) on every sheet, and a name
// wider than the table ("盾のトヴァン", 120 units, over the bonus sheet's
// 50 + 10) widens the sheet instead: 120 + 64.
TEST_F(StatusSheetTest, TheNameNeverMovesTheColumns) {
  Game::PlayerGhost tovan;
  tovan.setUp(*database().findShell("盾のトヴァン"), 0);
  for (Game::PlayerGhost* g : {&ghost, &tovan}) {
    Game::TextGrid grid;
    Game::StatusSheet::fillTable(grid, *g, Game::StatusSheet::kBonusRow);
    EXPECT_EQ(grid.columnWidth(0), 50.f) << g->getName();
  }
  float width = 0.f;
  tovan.measureSheet(&width, nullptr, Game::StatusSheet::kBonusRow);
  EXPECT_EQ(width, 120.f + 64.f);
}

TEST_F(StatusSheetTest, TheTopLevelsShowDashesAndMax) {
  ghost.setUp(*database().findShell("Kessa"), Game::Experience::forLevel(99));
  ghost.gainExperience(nullptr, 0, Game::Experience::forMasterLevel(30));
  Game::TextGrid grid;
  Game::StatusSheet::fillTable(grid, ghost, kAllRows);
  EXPECT_EQ(std::pair(rowOf(grid, 1)[4], rowOf(grid, 1)[5]), std::pair(std::string(" next "), std::string("-------")));
  EXPECT_EQ(rowOf(grid, 3)[1], "Max");
  ghost.setUp(*database().findShell("Kessa"), Game::Experience::forLevel(98));
  Game::StatusSheet::fillTable(grid, ghost, kAllRows);
  EXPECT_EQ(rowOf(grid, 1)[5], std::to_string(Game::Experience::forLevel(99)));
}

// Never shorter than the model standing in it: 84 units, which only the five
// rows of font 1 (100) exceed; never narrower than her name (剣のケッサ, 100)
// and the model's 64: 164 for the name alone or with the 60-unit bonus row;
// " OP" stands in a column as wide as " next " (60) even without it: 274.
// Fixed (16, a list's rows): 5, 4, 7, 6, 8 bytes and " O.Exp ", 434, up to a fifth LP digit (444).
TEST_F(StatusSheetTest, ModeBitsPickTheRowsAndTheSize) {
  const std::tuple<i32, std::vector<bool>, float, float> cases[] = {
      {0, {true, false, false, false, false}, 164.f, 84.f},  {3, {true, true, true, false, false}, 374.f, 84.f},
      {4, {true, false, false, true, false}, 274.f, 84.f},   {8, {true, false, false, false, true}, 164.f, 84.f},
      {15, {true, true, true, true, true}, 374.f, 100.f},    {19, {true, true, true, false, false}, 434.f, 84.f},
      {20, {true, false, false, true, false}, 434.f, 84.f},
  };
  ghost.lpRef() = 135;
  for (const auto& [mode, filled, wide, high] : cases) {
    Game::TextGrid grid;
    Game::StatusSheet::fillTable(grid, ghost, mode);
    for (i32 row = 0; row < 5; ++row) {
      const bool shown = filled[static_cast<std::size_t>(row)];
      EXPECT_EQ(std::pair(!rowOf(grid, row)[0].empty(), grid.rowHeight(row) > 0.f), std::pair(shown, shown))
          << mode << " row " << row;
    }
    float width = 0.f, height = 0.f;
    ghost.measureSheet(&width, &height, mode);
    EXPECT_EQ(std::make_pair(width, height), std::make_pair(wide, high)) << mode;
  }
  ghost.lpRef() = 10000;
  EXPECT_EQ(Game::Widget::Ghost(ghost).width, 444.f);
}

// Faces "a" and "b" on the fake file system, with their draws recorded.
class GhostDrawTest : public TestServices::Test<TestServices::kDatabase, ModelTestSupport::ModelTest> {
 protected:
  void SetUp() override {
    Test::SetUp();
    fs().put("src/face/face.txt", "face{name a;file pa;}face{name b;}");
    fs().put("src/face/batch.txt", "texture{name face;file pa;size 8,8;}batch{name main;texture{name face;}"
                                   "rect 0,0,8,8;size 100,100,0;}");
    putImage("src/face/pa.tga", 8, 8);
    putImage("src/face/b.tga", 8, 8);
    Game::FaceSet::create();
  }
  void TearDown() override {
    Game::FaceSet::destroy();
    Test::TearDown();
  }

  void setUpShell(const char* text) {
    Game::NmlNode root;
    shell.read(parsed(root, text), states);
    ghost.setUp(shell, 0);
  }

  Game::StateTable states;
  Game::ShellData shell;
  Game::PlayerGhost ghost;
};

// The face of the shell's "face" on the side asked for: the left one mirrored.
TEST_F(GhostDrawTest, TheShellsFaceIsDrawnOnTheSideAsked) {
  setUpShell("shell{name x;face b;status{point 50;}skill{}defense{}}");
  ghost.drawFace(0);
  ghost.drawFace(1);
  ASSERT_EQ(hook.draws.size(), 2u);
  EXPECT_EQ(hook.draws[0].batch, "main");
  EXPECT_TRUE(hook.draws[0].state.frontEnd);
  EXPECT_TRUE(hook.draws[0].state.transform(0, 0) < 0.f && hook.draws[1].state.transform(0, 0) > 0.f);
  EXPECT_TRUE(hook.draws[0].state.transform(0, 3) < 0.f && hook.draws[1].state.transform(0, 3) > 0.f);
  EXPECT_EQ(Game::FaceSet::instance()->cachedFace(0), Game::FaceSet::instance()->find("b"));
}

TEST_F(GhostDrawTest, NoFaceOrAFaceTheSetLacksDrawsNothing) {
  for (const char* text : {"shell{name x;face none;status{point 50;}skill{}defense{}}",
                           "shell{name c;status{point 50;}skill{}defense{}}"}) {
    setUpShell(text);
    ghost.drawFace(1);
    EXPECT_TRUE(hook.draws.empty()) << text;
  }
  Game::EnemyGhost enemy;  // no record, no face
  enemy.drawFace(0);
  EXPECT_TRUE(hook.draws.empty());
}

}  // namespace
