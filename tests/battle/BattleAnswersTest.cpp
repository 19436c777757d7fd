#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/BattleAnswers.h"
#include "battle/BattleGrid.h"
#include "battle/FormationBonus.h"
#include "core/string/String.h"
#include "records/stats/Parameters.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Game::Parameters;
using Game::ParameterBonus;

class BattleAnswersTest : public BattleTestSupport::BattleFixture {};

// Front 2 per count on 腕力, back 2 on 知力, far 1 on 敏捷, row 2 on 体力.
TEST_F(BattleAnswersTest, EachSurroundingRaisesItsParameter) {
  std::vector<ParameterBonus> bonuses;
  Game::collectFormationBonuses(Game::CellSurroundings{3, 1, 4, 2}, bonuses);
  EXPECT_EQ(bonuses, (std::vector<ParameterBonus>{{Parameters::kStrength, 6},
                                                   {Parameters::kIntellect, 2},
                                                   {Parameters::kAgility, 4},
                                                   {Parameters::kVitality, 4}}));
  bonuses.clear();
  Game::collectFormationBonuses(Game::CellSurroundings{0, 0, 1, 0}, bonuses);
  EXPECT_EQ(bonuses, (std::vector<ParameterBonus>{{Parameters::kAgility, 1}}));
  Game::String line;
  Game::formationBonusLine(ParameterBonus{Parameters::kStrength, 6}, line);
  EXPECT_STREQ(line.c_str(), "腕力ボーナス 6");
}

TEST_F(BattleAnswersTest, FormationBonusesOfAPartyUnitsCell) {
  // (1, 2) between two pairs: 4 near in front, 4 near behind. (0, 1): 2 at
  // (1, 2), 1 at (2, 1) two rows back, 2 at (2, 3) two columns aside.
  Game::Unit& middle = addUnit(0, 1, 2);
  Game::Unit& corner = addUnit(0, 0, 1);
  addUnit(0, 0, 3);
  Game::Unit& back = addUnit(0, 2, 1);
  addUnit(0, 2, 3);
  addUnit(1, 1, 2);
  for (const auto& [unit, strength, intellect] : {std::tuple{&middle, 4, 4}, {&corner, 6, 0}}) {
    Parameters parameters;
    parameters[Parameters::kStrength] = 10;
    Game::BattleAnswers::addFormationParameters(battle, *unit, parameters);
    EXPECT_EQ(std::pair(parameters[Parameters::kStrength], parameters[Parameters::kIntellect]),
              std::pair(10 + strength, intellect));
  }
  // Without the back pair the middle loses what stood behind it.
  kill(back);
  Parameters parameters;
  Game::BattleAnswers::addFormationParameters(battle, middle, parameters);
  EXPECT_EQ(parameters[Parameters::kStrength], 0);
}

TEST_F(BattleAnswersTest, StackingCountsTheLivingUnitsOfTheAskedSide) {
  addUnit(0, 0, 1);
  Game::Unit& second = addUnit(0, 0, 2);
  addUnit(1, 0, 3);
  using Game::BattleAnswers::isStacked;
  EXPECT_EQ(std::tuple(isStacked(battle, 0, 1, 1), isStacked(battle, 0, 2, 2), isStacked(battle, 0, 1, 3),
                       isStacked(battle, 1, 1, 2)),
            std::tuple(true, true, false, false));
  kill(second);
  EXPECT_FALSE(isStacked(battle, 0, 1, 1));
}

TEST_F(BattleAnswersTest, TimeStandsStillWhileALivingUnitHoldsTheWorld) {
  Game::Unit& party = addUnit(0, 0, 0);
  Game::Unit& enemy = addUnit(1, 0, 0);
  EXPECT_FALSE(Game::BattleAnswers::isTimeStopped(battle));
  enemy.setStateLevel("世界", 1);
  EXPECT_TRUE(Game::BattleAnswers::isTimeStopped(battle));
  kill(enemy);
  EXPECT_FALSE(Game::BattleAnswers::isTimeStopped(battle));
  party.setStateLevel("世界", 2);
  EXPECT_TRUE(Game::BattleAnswers::isTimeStopped(battle));
}

}  // namespace
