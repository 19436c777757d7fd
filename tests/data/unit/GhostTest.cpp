#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game/GameData.h"
#include "data/Unit.h"
#include "data/stats/Experience.h"
#include "data/unit/EnemyGhost.h"
#include "data/unit/PlayerGhost.h"
#include "file/nml/NmlNode.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/Widget.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Game::Parameters;
using Game::PlayerGhost;
using Game::String;

class GhostTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ghost.setUp(kessa(), 0);
  }
  const Game::ShellData& kessa() { return *database().findShell("Kessa"); }
  const Game::ShellData& mio() { return *database().findShell("灯りのミオ"); }

  static std::string text(const Game::NmlNode& node) {
    String out;
    node.toString(out, false);
    return out.c_str() ? out.c_str() : "";
  }
  static Parameters caps(Game::Ghost& ghost) { return Game::Unit(ghost).parameters(); }

  PlayerGhost ghost;  // Kessa, fresh
};

TEST_F(GhostTest, AFreshCharacterStartsAtLevelOneWithFullLifeAndGear) {
  const Parameters maxima = caps(ghost);
  EXPECT_EQ(ghost.getLevel(), 1);
  EXPECT_EQ(ghost.lp(), maxima[Parameters::kLp]);
  for (int tier = 0; tier < Game::Ghost::kApTiers; ++tier) {
    EXPECT_EQ(ghost.getAp(tier), maxima[Parameters::kAp1 + tier]) << tier;
  }
  EXPECT_TRUE(ghost.getEquipment(0));
  EXPECT_FALSE(ghost.getEquipment(8));
  EXPECT_FALSE(ghost.getEquipment(-1));
}

TEST_F(GhostTest, TwoLevelsAtOnceGiveTwoPointsAndOneLine) {
  std::vector<String> lines;
  ghost.gainExperience(&lines, Game::Experience::forLevel(3), 0);
  EXPECT_EQ(ghost.getLevel(), 3);
  EXPECT_EQ(ghost.bonusPoint(), 2);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_STREQ(lines[0].c_str(), "レベルがアップ！");
  ghost.gainExperience(&lines, 0, Game::Experience::forMasterLevel(2));
  EXPECT_EQ(ghost.masterPoint(), 2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_STREQ(lines[1].c_str(), "O.Lv がアップ！");
  // Experience near the top saturates instead of wrapping negative.
  ghost.gainExperience(nullptr, 0x7fffffff, 0x7fffffff);
  EXPECT_EQ(ghost.experience(), 0x7fffffff);
  EXPECT_EQ(ghost.getLevel(), Game::Experience::kMaxLevel);
}

TEST_F(GhostTest, ABrokenWeaponIsReportedOnceAndLeavesItsSlot) {
  ghost.setUp(mio(), 0);
  for (int i = 0; i < 3; ++i) {
    ghost.useEquipment(0);
  }
  std::vector<String> lines;
  EXPECT_EQ(ghost.collectBrokenEquipment(lines), 1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_STREQ(lines[0].c_str(), "投げナイフが壊れた");
  EXPECT_FALSE(ghost.getEquipment(0));
  EXPECT_EQ(ghost.collectBrokenEquipment(lines), 0);
}

TEST_F(GhostTest, LifeAndApStayWithinTheDerivedMaxima) {
  const Parameters maxima = caps(ghost);
  ghost.lpRef() = maxima[Parameters::kLp] + 500;
  ghost.clampToDerivedCaps();
  EXPECT_EQ(ghost.lp(), maxima[Parameters::kLp]);
  // Adding to full values must not wrap around.
  ghost.fillAp();
  ghost.lpRef() = Game::Ghost::kFull;
  ghost.addAp(Game::Ghost::kFull);
  ghost.addLp(Game::Ghost::kFull);
  EXPECT_EQ(ghost.lp(), maxima[Parameters::kLp]);
  EXPECT_EQ(ghost.getAp(0), maxima[Parameters::kAp1]);
  ghost.lpRef() = -5;
  ghost.clampToDerivedCaps();
  EXPECT_EQ(ghost.lp(), 0);
}

TEST_F(GhostTest, TheSaveNodeLoadsBackIdentical) {
  ghost.setUp(mio(), Game::Experience::forLevel(7));
  ghost.gainExperience(nullptr, 0, Game::Experience::forMasterLevel(3));
  ghost.bonus()[Parameters::kStrength] = 4;
  ghost.slot(4) = Game::Article::fromItem(database().findTool("革の鎧"));
  ghost.spendAp(1);
  Game::NmlNode saved;
  ghost.save(saved);
  PlayerGhost loaded;
  loaded.load(saved);
  Game::NmlNode again;
  loaded.save(again);
  EXPECT_EQ(text(again), text(saved));
}

class EnemyGhostTest : public GhostTest {};

// 骨の兵士 is weak to light (光 −10): one line, for the battle to show; a
// line for each resistance.
TEST_F(EnemyGhostTest, ResistancesGiveTheirLines) {
  std::vector<Game::String> lines;
  Game::EnemyGhost().describeResistances(lines);
  EXPECT_TRUE(lines.empty());
  Game::EnemyGhost soldier;
  soldier.setUp(*database().findEnemy("骨の兵士"), 0.5f, 0, 1.f);
  soldier.describeResistances(lines);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_STREQ(lines[0].c_str(), "光に弱い");
  // 泥スライム: 打撃 5, 熱 −5 and 水 at 50%.
  lines.clear();
  soldier.setUp(*database().findEnemy("泥スライム"), 0.f, 0, 1.f);
  soldier.describeResistances(lines);
  EXPECT_EQ(lines.size(), 3u);
}

// Huge parameters of data must not wrap the rewards around.
TEST_F(EnemyGhostTest, RewardsOfHugeParametersSaturate) {
  Game::NmlNode root;
  ASSERT_TRUE(root.parse("enemy{name 巨人;equip{weapon 1;}money 2147483647;level 99;status{point 50;end{"
                         "HP 2147483647;LP 2147483647;腕力 2147483647;器用さ 2147483647;知力 2147483647;"
                         "敏捷 2147483647;体力 2147483647;精神 2147483647;霊力 2147483647;}}action{}}",
                         true));
  Game::EnemyData giant;
  giant.read(*root.findChild("enemy"), database().states());
  Game::EnemyGhost enemy;
  enemy.setUp(giant, 1.f, 0, 1.f);
  EXPECT_GE(enemy.getMoneyReward(), 0);
  EXPECT_GE(enemy.getExperienceReward(), 0);
  EXPECT_GE(enemy.getMasterExperienceReward(), 0);
}

}  // namespace
