// Rules of the ghosts computed by hand: an enemy's level from the battle's
// level value and its rank, its rewards and form changes, a character's
// fresh state, its base stats with one more bonus point each and the arts
// of a weapon slot; the face and the model a ghost is drawn with.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/game/GameData.h"
#include "data/stats/AttackBlock.h"
#include "data/stats/DefenseBlock.h"
#include "data/unit/EnemyGhost.h"
#include "data/unit/PlayerGhost.h"
#include "data/unit/StatusSheet.h"
#include "file/nml/NmlNode.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/TextGrid.h"
#include "resource/Database.h"
#include "resource/database/ShellData.h"
#include "resource/table/StateTable.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Engine::i32;
using Game::Parameters;

const Game::NmlNode& parsed(Game::NmlNode& root, const std::string& text) {
  EXPECT_TRUE(root.parse(text.c_str(), true)) << text;
  return *root.child(0);
}

using EnemyRulesTest = GameTestSupport::GameTest;

// Levels 10 to 50: lowest + rank + trunc(r × ((1 − r) × 89 + r × 40)),
// then kept within 10..50.
TEST_F(EnemyRulesTest, TheRankMovesTheLevelWithinTheRecordsRange) {
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

// At level 99 the growth gives its end row: HP 2 × 5000 / 100 = 100,
// LP 1 × 9999 / 100 = 99, AP 10 × 30, 20, 10 / 100 = 3, 2, 1, the
// attributes as written but 霊力 100 × 15 / 100 = 15. Sorted: 100 99 50 40
// 30 20 15 10 5 3 2 1.
TEST_F(EnemyRulesTest, RewardsComeFromTheSortedParameters) {
  Game::NmlNode root;
  Game::EnemyData giant;
  giant.read(parsed(root, "enemy{name 巨人;ABP 75;HP 400;money 7;level 99;equip{weapon 1;}status{point 50;end{"
                          "HP 2;LP 1;AP1 10;AP2 10;AP3 10;腕力 40;器用さ 30;知力 20;敏捷 50;体力 10;精神 5;"
                          "霊力 100;}}action{}}"),
             database().states());
  Game::EnemyGhost enemy;
  enemy.setUp(giant, 0.f, 0, 1.f);
  const std::vector<i32> parameters = {100, 99, 3, 2, 1, 40, 30, 20, 50, 10, 5, 15};
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    ASSERT_EQ(enemy.parameters()[i], parameters[static_cast<std::size_t>(i)]) << i;
  }
  // ((100 + 99) / 4 + 40 × 30) × (1 − 0.75) = 1249 × 0.25
  EXPECT_EQ(enemy.getExperienceReward(), 312);
  // 50 × √4 × 0.75
  EXPECT_EQ(enemy.getMasterExperienceReward(), 75);
  // (15² + 10²) / 4 + 7
  EXPECT_EQ(enemy.getMoneyReward(), 88);
}

TEST_F(EnemyRulesTest, AnEnemyWithoutARecordGivesNothing) {
  Game::EnemyGhost enemy;
  EXPECT_STREQ(enemy.getName(), "");
  EXPECT_EQ(enemy.getExperienceReward(), 0);
  EXPECT_EQ(enemy.getMasterExperienceReward(), 0);
  EXPECT_EQ(enemy.getMoneyReward(), 0);
  EXPECT_EQ(enemy.dropItem(), nullptr);
  EXPECT_EQ(enemy.stealItem(), nullptr);
  EXPECT_EQ(enemy.getMaterials(), nullptr);
  EXPECT_FALSE(enemy.metamorphose());
  std::vector<Game::String> lines;
  enemy.describeResistances(lines);
  EXPECT_TRUE(lines.empty());
  // 泥スライム: 打撃 5, 熱 −5 and 水 at 50%.
  enemy.setUp(*database().findEnemy("泥スライム"), 0.f, 0, 1.f);
  enemy.describeResistances(lines);
  EXPECT_EQ(lines.size(), 3u);
}

// An enemy has no experience or points: its sheet shows zeros for them.
TEST_F(EnemyRulesTest, AnEnemysSheetShowsZerosForWhatOnlyCharactersHave) {
  Game::EnemyGhost enemy;
  enemy.setUp(*database().findEnemy("骨の兵士"), 0.f, 0, 1.f);
  Game::TextGrid grid;
  Game::StatusSheet::fillTable(grid, enemy, Game::StatusSheet::kAllRows);
  auto cell = [&grid](i32 row, i32 column) {
    const char* text = grid.cell(row, column).text.c_str();
    return std::string(text ? text : "");
  };
  EXPECT_EQ(cell(1, 1), "8");
  EXPECT_EQ(cell(1, 3), "0");
  EXPECT_EQ(cell(3, 1), "0");
  EXPECT_EQ(cell(3, 3), "0");
  EXPECT_EQ(cell(3, 5), "0");
  EXPECT_EQ(cell(4, 1), "0");
}

// 泥スライム at level 1: equipment scaled by level factor 0 keeps 1 of each
// positive value (weapon 3, protector 2,2); the type defences come from the
// protector alone (its record's 打撃 5 and 熱 −5 give way), the factors
// from the record (水 50: 50% off).
TEST_F(EnemyRulesTest, BaseStatsTakeTypeDefencesFromTheProtector) {
  Game::EnemyGhost slime;
  slime.setUp(*database().findEnemy("泥スライム"), 0.f, 0, 1.f);
  ASSERT_EQ(slime.getLevel(), 1);
  Parameters parameters;
  i32 weapon = 0;
  Game::AttackBlock attack;
  Game::DefenseBlock defense;
  slime.gatherBaseStats(parameters, weapon, attack, defense);
  EXPECT_EQ(weapon, 1);
  for (i32 type = 0; type < Game::DefenseBlock::kTypeCount; ++type) {
    EXPECT_EQ(defense.typeDefense(type), 1) << type;
  }
  EXPECT_FLOAT_EQ(defense.factors()[5], 0.5f);
  EXPECT_FLOAT_EQ(defense.factors()[0], 1.f);
}

// The successor starts at the level factor of the level reached, with the
// same scale; a record without one stays.
TEST_F(EnemyRulesTest, ANamedSuccessorTakesOverAtTheLevelReached) {
  Game::NmlNode root;
  Game::EnemyData larva;
  larva.read(parsed(root, "enemy{name 幼虫;level 20;equip{weapon 1;}status{point 50;}action{}"
                          "metamorphose{name 骨の騎士;expression 1;}}"),
             database().states());
  larva.linkMetamorphoses();
  Game::EnemyGhost enemy;
  enemy.setUp(*database().findEnemy("泥スライム"), 0.f, 0, 2.f);
  EXPECT_FALSE(enemy.metamorphose());
  EXPECT_STREQ(enemy.getName(), "泥スライム");
  enemy.setUp(larva, 0.f, 0, 2.f);
  ASSERT_TRUE(enemy.metamorphose());
  EXPECT_EQ(enemy.record(), database().findEnemy("骨の騎士"));
  // 骨の騎士 spans 12..30: 12 + trunc(f × ((1 − f) × 87 + f × 18)), f = 19 / 98.
  EXPECT_EQ(enemy.getLevel(), 26);
  EXPECT_EQ(enemy.scale(), 2.f);
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

using PlayerRulesTest = GameTestSupport::GameTest;

TEST_F(PlayerRulesTest, AFreshCharacterHoldsNothingAndFullAp) {
  Game::PlayerGhost ghost;
  EXPECT_EQ(ghost.shell(), nullptr);
  EXPECT_EQ(ghost.experience(), 0);
  EXPECT_EQ(ghost.masterExperience(), 0);
  EXPECT_EQ(ghost.bonusPoint(), 0);
  EXPECT_EQ(ghost.masterPoint(), 30);
  for (i32 tier = -1; tier <= Game::Ghost::kApTiers; ++tier) {
    const bool inRange = tier >= 0 && tier < Game::Ghost::kApTiers;
    EXPECT_EQ(ghost.getAp(tier), inRange ? Game::Ghost::kFull : 0) << tier;
  }
  for (i32 slot = 0; slot < Game::PlayerGhost::kSlots; ++slot) {
    EXPECT_EQ(ghost.getEquipment(slot), nullptr) << slot;
  }
}

// A tier outside 0..2 spends nothing and touches nothing beside the AP.
TEST_F(PlayerRulesTest, SpendingOutsideTheTiersChangesNothing) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  const Game::ToolData* sword = ghost.slot(0).item();
  const std::vector<i32> before = {ghost.getAp(0), ghost.getAp(1), ghost.getAp(2)};
  ghost.spendAp(-1);
  ghost.spendAp(Game::Ghost::kApTiers);
  EXPECT_EQ((std::vector<i32>{ghost.getAp(0), ghost.getAp(1), ghost.getAp(2)}), before);
  EXPECT_EQ(ghost.slot(0).item(), sword);
  ghost.spendAp(1);
  EXPECT_EQ(ghost.getAp(1), before[1] - 1);
}

// Kessa's shell has weapon 2 and no protector: every type defence is 0, its
// record's 斬撃 1 gives way; its factor 精神攻撃 20 (20% off: 0.8) stays.
TEST_F(PlayerRulesTest, BaseStatsTakeTypeDefencesFromTheShellsProtector) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  Parameters parameters;
  i32 weapon = 0;
  Game::AttackBlock attack;
  Game::DefenseBlock defense;
  ghost.gatherBaseStats(parameters, weapon, attack, defense);
  EXPECT_EQ(weapon, 2);
  for (i32 type = 0; type < Game::DefenseBlock::kTypeCount; ++type) {
    EXPECT_EQ(defense.typeDefense(type), 0) << type;
  }
  EXPECT_FLOAT_EQ(defense.factors()[11], 0.8f);
  EXPECT_FLOAT_EQ(defense.factors()[0], 1.f);
}

// Nothing used up, nothing broken; experience taken below 0 stops at 0.
TEST_F(PlayerRulesTest, SoundGearIsNotBrokenAndExperienceStaysAtLeastZero) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  std::vector<Game::String> lines;
  EXPECT_EQ(ghost.collectBrokenEquipment(lines), 0);
  EXPECT_TRUE(lines.empty());
  EXPECT_NE(ghost.getEquipment(0), nullptr);
  ghost.gainExperience(nullptr, -1000, -1000);
  EXPECT_EQ(ghost.experience(), 0);
  EXPECT_EQ(ghost.masterExperience(), 0);
}

// A swap into a slot outside 0..7 hands the article straight back.
TEST_F(PlayerRulesTest, SwappingGearHandsBackWhatTheSlotHeld) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  const Game::Article knife = Game::Article::fromItem(database().findTool("投げナイフ"));
  Game::Article previous;
  ghost.swapEquipment(previous, knife, 0);
  EXPECT_STREQ(previous.item()->name(), "鉄の剣");
  EXPECT_STREQ(ghost.getEquipment(0)->item()->name(), "投げナイフ");
  for (i32 slot : {-1, Game::PlayerGhost::kSlots}) {
    ghost.swapEquipment(previous, Game::Article::fromItem(database().findTool("廃棄物")), slot);
    EXPECT_STREQ(previous.item()->name(), "廃棄物") << slot;
  }
  EXPECT_STREQ(ghost.getEquipment(0)->item()->name(), "投げナイフ");
  EXPECT_STREQ(ghost.getEquipment(1)->item()->name(), "革の鎧");
}

// Kessa knows 斬り払い (武器), 返し刃 and the passives 身を守る技能 and 逃げる技能
// (no category) and wears 鉄の剣 (武器, granting 斬り払い) and 革の鎧 (no
// category, passive 鉄の心).
TEST_F(PlayerRulesTest, ASlotOffersTheArtsItsCategoriesShare) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  auto names = [&ghost](i32 slot) {
    Game::AbilityList list;
    ghost.abilitiesForSlot(list, slot, nullptr);
    std::vector<std::string> out;
    for (i32 i = 0; i < list.count(); ++i) {
      out.emplace_back(list.at(i).name());
    }
    return out;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(names(0), (Names{"斬り払い", "斬り払い"}));
  EXPECT_EQ(names(1), (Names{"鉄の心"}));
  EXPECT_EQ(names(2), Names{});
  EXPECT_EQ(names(Game::PlayerGhost::kNoWeapon), (Names{"返し刃", "投げる道具", "身を守る技能", "逃げる技能"}));
}

// A weapon slot's item adds its weapon value, attack and arts; used from a
// protector slot (3) it adds the weapon value, and its attack and arts once,
// as every protector's.
TEST_F(PlayerRulesTest, GearInAProtectorSlotCountsOnce) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  ghost.slot(0).clear();
  ghost.slot(3) = Game::Article::fromItem(database().findTool("鉄の剣"));
  Parameters parameters;
  i32 weapon = 0;
  Game::AttackBlock attack;
  Game::DefenseBlock defense;
  Game::AbilityList abilities;
  ghost.computeStats(parameters, weapon, attack, defense, abilities, 3);
  EXPECT_EQ(weapon, 2 + 12);
  // 斬り払い from the sword, then 鉄の心 from the armour's passives, then
  // Kessa's own 斬り払い, 返し刃, 投げる道具 and passives.
  std::vector<std::string> names;
  for (i32 i = 0; i < abilities.count(); ++i) {
    names.emplace_back(abilities.at(i).name());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"斬り払い", "鉄の心", "斬り払い", "返し刃", "投げる道具", "身を守る技能",
                                             "逃げる技能"}));
}

// 廃棄物 sells for 1 and stays; 古びた鍵 sells for nothing and goes.
TEST_F(PlayerRulesTest, ANewCycleKeepsWhatSellsForAnything) {
  Game::PlayerGhost ghost;
  ghost.setUp(*database().findShell("Kessa"), 0);
  ghost.slot(5) = Game::Article::fromItem(database().findTool("古びた鍵"));
  ghost.slot(6) = Game::Article::fromItem(database().findTool("廃棄物"));
  ghost.gainExperience(nullptr, 500, 0);
  ghost.startNewCycle();
  EXPECT_EQ(ghost.experience(), 0);
  EXPECT_EQ(ghost.getEquipment(5), nullptr);
  ASSERT_NE(ghost.getEquipment(6), nullptr);
  EXPECT_STREQ(ghost.getEquipment(6)->item()->name(), "廃棄物");
}

// Positions in the render state are in world units / 400.
constexpr float kWorldUnits = 400.f;

// Faces "a" and "b" and a unit picture "t" whose "stand" and "down" draw
// the batches of those names, on the fake file system with their draws
// recorded.
class GhostDrawTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    Game::Database::create();
    fs().put("src/picture/unit/t.txt", "batch{name stand;rect 0,0,2,2;}batch{name down;rect 0,0,2,2;}"
                                       "model{name stand;batch{name stand;}}model{name down;batch{name down;}}");
    Game::NmlNode list;
    ASSERT_TRUE(list.parse("t t,1;", true));
    Game::Database::instance()->maps().units.read(list, "src/picture/unit/list.txt");
    fs().put("src/face/face.txt", "face{name a;file pa;}face{name b;}");
    fs().put("src/face/batch.txt", "texture{name face;file pa;size 8,8;}batch{name main;texture{name face;}"
                                   "rect 0,0,8,8;size 100,100,0;}");
    putImage("src/face/pa.tga", 8, 8);
    putImage("src/face/b.tga", 8, 8);
    Game::FaceSet::create();
  }
  void TearDown() override {
    Game::FaceSet::destroy();
    Game::Database::destroy();
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
TEST_F(GhostDrawTest, TheShellsFaceIsDrawnOnTheSideAsked) {
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

// "down" while the ghost has no LP left, "stand" from 1 LP.
TEST_F(GhostDrawTest, TheModelFallsWithoutLp) {
  setUpShell("shell{name x;model t;status{point 50;}skill{}defense{}}");
  for (const auto& [lp, batch] : {std::pair{0, "down"}, std::pair{1, "stand"}, std::pair{-1, "down"}}) {
    ghost.lpRef() = lp;
    ghost.drawModel(10.f, 20.f);
    ASSERT_EQ(hook.draws.size(), 1u) << lp;
    EXPECT_EQ(hook.draws[0].batch, batch) << lp;
    EXPECT_TRUE(hook.draws[0].state.frontEnd);
    EXPECT_FLOAT_EQ(hook.draws[0].state.transform(0, 3) * kWorldUnits, 10.f);
    EXPECT_FLOAT_EQ(hook.draws[0].state.transform(1, 3) * kWorldUnits, 20.f);
    hook.draws.clear();
  }
  setUpShell("shell{name x;model nothing;status{point 50;}skill{}defense{}}");
  ghost.drawModel(10.f, 20.f);
  EXPECT_TRUE(hook.draws.empty()) << "no picture of that name";
}

// The model stands in the sheet's first 64 units, halfway down; the table
// starts right of it: the text writer ends where the table drawn there ends.
TEST_F(GhostDrawTest, TheSheetsTableStandsRightOfTheModel) {
  setUpShell("shell{name x;model t;status{point 50;}skill{}defense{}}");
  Game::SceneRenderer::create(800, 600);
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  Game::TextGrid grid;
  Game::StatusSheet::fillTable(grid, ghost, Game::StatusSheet::kAllRows);
  grid.draw(-100.f + 64.f, 50.f);
  i32 tableX = 0;
  i32 tableY = 0;
  writer.getCursor(&tableX, &tableY);
  writer.setPosition(0, 0);
  ghost.drawSheet(-100.f, 50.f, false, false, Game::StatusSheet::kAllRows);
  i32 sheetX = 0;
  i32 sheetY = 0;
  writer.getCursor(&sheetX, &sheetY);
  EXPECT_EQ(sheetX, tableX);
  EXPECT_EQ(sheetY, tableY);
  ASSERT_EQ(hook.draws.size(), 1u);
  EXPECT_FLOAT_EQ(hook.draws[0].state.transform(0, 3) * kWorldUnits, -100.f + 32.f);
  EXPECT_FLOAT_EQ(hook.draws[0].state.transform(1, 3) * kWorldUnits, 50.f - grid.totalHeight() / 2.f);
  Game::SceneRenderer::destroy();
}

}  // namespace
