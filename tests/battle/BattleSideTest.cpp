#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "battle/BattleSide.h"
#include "battle/SynchroGroups.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Parameters.h"
#include "records/database/SynchroData.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Game::BattleSide;
using Game::Parameters;
using Game::SynchroGroups;
using Game::Unit;

class BattleSideTest : public BattleTestSupport::BattleFixture {
 protected:
  Unit& addWithArt(int side, int attribute, const char* name, int level) {
    Unit& unit = addUnit(side, 0, static_cast<int>(battle.units.size()) % 5, attribute);
    ghostOf(unit).abilities().add(art(name, level));
    unit.recompute();
    return unit;
  }
  void refresh(BattleSide& side) {
    synchro.refresh(battle);
    side.refresh(battle, synchro);
  }
  static std::string summary(const BattleSide& side) {
    return "pool " + std::to_string(side.pool()) + " capacity " + std::to_string(side.capacity()) + " regeneration " +
           std::to_string(side.regeneration()) + " spent " + std::to_string(side.spent());
  }

  SynchroGroups synchro;
};

TEST_F(BattleSideTest, CapacityAndRegenerationFromTheLivingUnitsOfTheSide) {
  // Capacity 10 + 2 + 3; regeneration 3 + (12 + 9) / 5. The fallen and the
  // other side count nothing.
  Unit& first = addWithArt(1, 12, "呪力容量拡大", 2);
  addWithArt(1, 9, "呪力容量拡大", 3);
  kill(addWithArt(1, 50, "呪力容量拡大", 10));
  addWithArt(0, 40, "呪力容量拡大", 7);
  BattleSide side(1);
  refresh(side);
  EXPECT_EQ(side.abilities().count(), 2);
  // A pool above a capacity that comes down comes down with it.
  side.setPool(40);
  EXPECT_EQ(summary(side), "pool 15 capacity 15 regeneration 7 spent 0");
  kill(first);
  refresh(side);
  EXPECT_EQ(summary(side), "pool 13 capacity 13 regeneration 4 spent 0");
}

TEST_F(BattleSideTest, RegenerationDividesPsychoTowardZeroAndStopsAtZero) {
  struct Case {
    int psycho, regeneration;
  };
  for (const Case& c : {Case{-12, 1}, Case{-14, 1}, Case{-15, 0}, Case{-40, 0}, Case{4, 3}, Case{5, 4}}) {
    battle.units.clear();
    addUnit(1, 0, 0, c.psycho);
    BattleSide side(1);
    refresh(side);
    EXPECT_EQ(side.regeneration(), c.regeneration) << c.psycho;
  }
}

TEST_F(BattleSideTest, TurnEndClampsRegeneratesAndClampsAgain) {
  addWithArt(1, 10, "呪力容量拡大", 5);
  BattleSide side(1);
  refresh(side);
  side.setPool(4);
  side.setGuardMode(2);
  side.pay(6);
  EXPECT_EQ(summary(side), "pool -2 capacity 15 regeneration 5 spent 6");
  side.endTurn();
  EXPECT_EQ(summary(side), "pool 3 capacity 15 regeneration 5 spent 0");
  EXPECT_EQ(side.guardMode(), 0);
  side.endTurn();
  side.endTurn();
  EXPECT_EQ(side.pool(), 13);
  side.endTurn();
  EXPECT_EQ(side.pool(), 15);
  EXPECT_FLOAT_EQ(side.momentum(), 4.f);
}

TEST_F(BattleSideTest, MomentumLosesHalfAPointPerJoinDownToZero) {
  BattleSide side(0);
  side.endTurn();
  side.joinChain();
  EXPECT_FLOAT_EQ(side.momentum(), 0.5f);
  side.joinChain();
  side.joinChain();
  EXPECT_FLOAT_EQ(side.momentum(), 0.f);
  side.endTurn();
  EXPECT_FLOAT_EQ(side.momentum(), 1.f);
}

TEST_F(BattleSideTest, StartAddsTheInitialEnergyOnce) {
  addWithArt(0, 0, "初期呪力増加", 4);
  addWithArt(0, 0, "初期呪力増加", 2);
  BattleSide side(0);
  refresh(side);
  EXPECT_FALSE(side.isStarted());
  side.start();
  EXPECT_TRUE(side.isStarted());
  EXPECT_EQ(side.pool(), 6);
  side.setPool(1);
  side.start();
  EXPECT_EQ(side.pool(), 1);
  // More than the capacity stops at it.
  addWithArt(0, 0, "初期呪力増加", 20);
  BattleSide full(0);
  refresh(full);
  full.start();
  EXPECT_EQ(full.pool(), 10);
}

TEST_F(BattleSideTest, PoolCapacityAndRegenerationSaturate) {
  addMember("丙", 0, 0);
  BattleSide side(0);
  refresh(side);
  side.setPool(INT_MAX - 1);
  side.endTurn();
  EXPECT_EQ(summary(side), "pool 2147483647 capacity 2147483647 regeneration 2147483647 spent 0");
  side.pay(INT_MAX);
  side.pay(INT_MAX);
  side.pay(INT_MAX);
  EXPECT_EQ(std::pair(side.pool(), side.spent()), std::pair(INT_MIN, INT_MAX));
  // The enemies take no synchro bonus.
  BattleSide enemies(1);
  refresh(enemies);
  EXPECT_EQ(summary(enemies), "pool 0 capacity 10 regeneration 3 spent 0");
}

class SynchroGroupsTest : public BattleTestSupport::BattleFixture {
 protected:
  std::vector<std::string> activeNames() {
    synchro.refresh(battle);
    std::vector<std::string> names;
    for (const Game::SynchroData* group : synchro.active()) {
      names.emplace_back(group->name());
    }
    return names;
  }

  SynchroGroups synchro;
};

TEST_F(SynchroGroupsTest, AGroupIsActiveFromItsNumberOfLivingMembers) {
  Unit& first = addMember("甲", 0, 0);
  EXPECT_EQ(activeNames(), std::vector<std::string>{});
  EXPECT_EQ(std::pair(synchro.capacityBonus(), synchro.regenerationBonus()), std::pair(0, 0));
  Unit& second = addMember("乙", 0, 1);
  EXPECT_EQ(activeNames(), (std::vector<std::string>{"双", "三"}));
  EXPECT_EQ(std::pair(synchro.capacityBonus(), synchro.regenerationBonus()), std::pair(27, 5));
  kill(second);
  EXPECT_EQ(activeNames(), std::vector<std::string>{});
  addMember("丙", 1, 0);
  EXPECT_EQ(activeNames(), (std::vector<std::string>{"三", "独"}));
  EXPECT_EQ(synchro.capacityBonus(), INT_MAX);
  kill(first);
  EXPECT_EQ(activeNames(), std::vector<std::string>{"独"});
  // Enemies are never members.
  battle.units.clear();
  addUnit(1, 0, 0);
  EXPECT_EQ(activeNames(), std::vector<std::string>{});
}

TEST_F(SynchroGroupsTest, ActiveGroupsGiveEveryPartyUnitTheirBonuses) {
  addMember("甲", 0, 0);
  addMember("乙", 0, 1);
  Unit& outsider = addUnit(0, 0, 2);
  Unit& enemy = addUnit(1, 0, 2);
  synchro.refresh(battle);
  // The art's level, 腕力, 知力, the water element, the sound factor.
  for (const auto& [unit, artLevel, strength, intellect, water, sound] :
       {std::tuple{&outsider, 2, 13, 5, true, 0.5f}, {&enemy, 0, 0, 0, false, 1.f}}) {
    Game::AbilityList abilities;
    Parameters parameters;
    Game::AttackBlock attack;
    Game::DefenseBlock defense;
    defense.clear();
    synchro.addSynchroBonus(*unit, abilities, parameters, attack, defense);
    EXPECT_EQ(std::tuple(abilities.levelOfNamed("合わせ技"), parameters[Parameters::kStrength],
                         parameters[Parameters::kIntellect], attack.elements().isSet(5)),
              std::tuple(artLevel, strength, intellect, water));
    EXPECT_FLOAT_EQ(defense.factors()[8], sound);
  }
}

}  // namespace
