// An enemy's level from the battle's level value and its rank, the base
// stats with one more bonus point each, and a ghost's face.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/stats/AttackBlock.h"
#include "data/stats/DefenseBlock.h"
#include "data/unit/EnemyGhost.h"
#include "data/unit/PlayerGhost.h"
#include "file/nml/NmlNode.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/FaceSet.h"
#include "resource/database/ShellData.h"
#include "resource/database/StateTable.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Engine::i32;
using Game::Parameters;

const Game::NmlNode& parsed(Game::NmlNode& root, const std::string& text) {
  EXPECT_TRUE(root.parse(text.c_str(), true)) << text;
  return *root.child(0);
}

using EnemyRankTest = GameTestSupport::GameTest;

// Levels 10 to 50: lowest + rank + trunc(r × ((1 − r) × 89 + r × 40)),
// then kept within 10..50.
TEST_F(EnemyRankTest, TheRankMovesTheLevelWithinTheRecordsRange) {
  Game::NmlNode root;
  Game::EnemyData soldier;
  soldier.read(parsed(root, "enemy{name 番兵;equip{weapon 1;}level 10,50;status{point 50;}action{}}"),
               database().states());
  struct Case {
    float levelValue;
    i32 rank;
    i32 level;
  };
  const Case cases[] = {
      {0.5f, 0, 42},    // 10 + trunc(0.5 × 64.5)
      {0.5f, 3, 45},    // a rank adds levels
      {0.5f, -20, 22},  // and takes them away
      {0.5f, 9, 50},    // up to the highest level
      {0.f, -3, 10},    // never below the lowest
      {1.f, 0, 50},     // 10 + trunc(1 × 40)
      {1.f, -1, 49},
  };
  for (const Case& c : cases) {
    Game::EnemyGhost enemy;
    enemy.setUp(soldier, c.levelValue, c.rank, 1.f);
    EXPECT_EQ(enemy.getLevel(), c.level) << c.levelValue << " rank " << c.rank;
  }
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
  Parameters now;
  Parameters next;
  i32 weaponNow = 0;
  i32 weaponNext = 0;
  Game::AttackBlock attack;
  Game::DefenseBlock defense;
  ghost.gatherBaseStats(now, weaponNow, attack, defense);
  ghost.gatherBoostedStats(next, weaponNext, attack, defense);
  // HP: trunc((1 + 99) × 1.2) = 120 now, trunc((1 + 100) × 1.2) = 121 after.
  const std::vector<i32> expectedNow = {120, 3, 0, -1, 0, 3, 0, 0, 0, 0, 0, 0};
  const std::vector<i32> expectedNext = {121, 4, 1, 0, 1, 4, 1, 1, 1, 1, 1, 1};
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    EXPECT_EQ(now[i], expectedNow[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(next[i], expectedNext[static_cast<std::size_t>(i)]) << i;
  }
  // Only the parameters move: the shell's weapon stays.
  EXPECT_EQ(weaponNow, 2);
  EXPECT_EQ(weaponNext, 2);
  // The bonus itself is untouched.
  EXPECT_EQ(ghost.bonus()[Parameters::kHp], 99);
  EXPECT_EQ(ghost.bonus()[Parameters::kSpirit], 0);
}

TEST_F(BoostedStatsTest, ABonusAtTheTopDoesNotWrap) {
  ghost.bonus()[Parameters::kIntellect] = 0x7fffffff;
  Parameters next;
  i32 weapon = 0;
  Game::AttackBlock attack;
  Game::DefenseBlock defense;
  ghost.gatherBoostedStats(next, weapon, attack, defense);
  EXPECT_EQ(next[Parameters::kIntellect], 0x7fffffff);
}

// Faces "a" and "b" on the fake file system with their draws recorded.
class GhostFaceTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    fs().put("src/face/face.txt", "face{name a;file pa;}face{name b;}");
    fs().put("src/face/batch.txt", "texture{name face;file pa;size 8,8;}batch{name main;texture{name face;}"
                                   "rect 0,0,8,8;size 100,100,0;}");
    putImage("src/face/pa.tga", 8, 8);
    putImage("src/face/b.tga", 8, 8);
    Game::FaceSet::create();
  }
  void TearDown() override {
    Game::FaceSet::destroy();
    ModelTest::TearDown();
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
TEST_F(GhostFaceTest, TheShellsFaceIsDrawnOnTheSideAsked) {
  setUpShell("shell{name x;face b;status{point 50;}skill{}defense{}}");
  ghost.drawFace(0);
  ghost.drawFace(1);
  ASSERT_EQ(hook.draws.size(), 2u);
  EXPECT_EQ(hook.draws[0].batch, "main");
  EXPECT_TRUE(hook.draws[0].state.frontEnd);
  EXPECT_LT(hook.draws[0].state.transform(0, 0), 0.f);
  EXPECT_GT(hook.draws[1].state.transform(0, 0), 0.f);
  EXPECT_LT(hook.draws[0].state.transform(0, 3), 0.f);
  EXPECT_GT(hook.draws[1].state.transform(0, 3), 0.f);
  EXPECT_EQ(Game::FaceSet::instance()->cachedFace(0), Game::FaceSet::instance()->find("b"));
}

TEST_F(GhostFaceTest, NoFaceOrAFaceTheSetLacksDrawsNothing) {
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
