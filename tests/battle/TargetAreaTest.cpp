#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/BattleAnswers.h"
#include "battle/BattleGrid.h"
#include "battle/TargetArea.h"
#include "tests/battle/BattleFixture.h"

namespace {

using Game::TargetArea;
using Game::Unit;

// '#' for a marked cell: the party's rows front to back, then the enemies'.
std::string marks(const TargetArea& area) {
  std::string out;
  for (int side = 0; side < TargetArea::kSides; ++side) {
    out += side ? " | " : "";
    for (int r = 0; r < Game::BattleGrid::kRows; ++r) {
      out += r ? " " : "";
      for (int c = 0; c < Game::BattleGrid::kColumns; ++c) {
        out += area.isMarked(side, r, c) ? '#' : '.';
      }
    }
  }
  return out;
}

constexpr const char* kNothing = "..... ..... ..... | ..... ..... .....";
constexpr const char* kEverything = "##### ##### ##### | ##### ##### #####";

class TargetAreaTest : public BattleTestSupport::BattleFixture {
 protected:
  // The party stands at (0, 2) and (2, 2): open are row 0 and columns 0 and
  // 4 behind it. The enemies stand at (0, 1) and (1, 3), a fallen one at
  // (0, 4): open are row 0 and (1, 3), (1, 4).
  void SetUp() override {
    BattleFixture::SetUp();
    party = &addUnit(0, 0, 2);
    addUnit(0, 2, 2);
    addUnit(1, 0, 1);
    addUnit(1, 1, 3);
    kill(addUnit(1, 0, 4));
    area.init(battle);
  }

  std::vector<Unit*> reachable(const Unit& user, const char* name) {
    std::vector<Unit*> out;
    Game::BattleAnswers::collectReachable(battle, user, art(name), out);
    return out;
  }

  Unit* party = nullptr;
  TargetArea area;
};

TEST_F(TargetAreaTest, EveryAreaCodeAroundItsTargetCell) {
  // The target cell and the area code; the cells marked.
  const std::tuple<int, int, int, int, const char*> cases[] = {
      {1, 1, 2, TargetArea::kNone, kNothing},
      {1, 1, 2, TargetArea::kSingle, "..... ..... ..... | ..... ..#.. ....."},
      {1, 2, 0, TargetArea::kRow, "..... ..... ..... | ..... ..... #####"},
      {0, 0, 4, TargetArea::kColumn, "....# ....# ....# | ..... ..... ....."},
      {1, 2, 0, TargetArea::kWideColumn, "..... ..... ..... | ##... ##... ##..."},
      {1, 0, 2, TargetArea::kWideColumn, "..... ..... ..... | .###. .###. .###."},
      {1, 0, 0, TargetArea::kCircle, "..... ..... ..... | ##... ##... ....."},
      {0, 1, 2, TargetArea::kCircle, ".###. .###. .###. | ..... ..... ....."},
      {1, 2, 4, TargetArea::kCircle, "..... ..... ..... | ..... ...## ...##"},
      {1, 2, 2, TargetArea::kFront, "..... ..... ..... | ##### ...## ....."},
      {0, 1, 1, TargetArea::kFront, "##### #...# #...# | ..... ..... ....."},
      {1, 1, 3, TargetArea::kSelfDestruct, "##### #...# #...# | ..... ...#. ....."},
      {0, 2, 1, TargetArea::kSelfDestruct, "..... ..... .#... | ##### ...## ....."},
      {0, 2, 1, TargetArea::kSide, "##### ##### ##### | ..... ..... ....."},
      {1, 0, 0, TargetArea::kAll, kEverything},
      // A cell or side outside the grid marks nothing, whatever the code.
      {2, 0, 0, TargetArea::kAll, kNothing},
      {-1, 1, 1, TargetArea::kAll, kNothing},
      {1, 3, 0, TargetArea::kAll, kNothing},
      {0, 2, -1, TargetArea::kAll, kNothing},
      {1, 1, 1, TargetArea::kAreaCount, kNothing},
  };
  for (const auto& [side, row, column, code, marked] : cases) {
    area.markReach(0, 0, 0, TargetArea::kFar);
    area.markArea(side, row, column, code);
    EXPECT_EQ(std::pair(marks(area), area.areaMode()), std::pair(std::string(marked), code))
        << "code " << code << " at " << side << row << column;
  }
}

TEST_F(TargetAreaTest, EveryReachFromTheActorsCell) {
  // The actor's cell and the reach; the cells marked.
  const std::tuple<int, int, int, int, const char*> cases[] = {
      {0, 1, 1, TargetArea::kSelf, "..... .#... ..... | ..... ..... ....."},
      {0, 2, 4, TargetArea::kNear, "##### ##### ##### | ##### ...## ....."},
      {1, 0, 0, TargetArea::kNear, "##### #...# #...# | ##### ##### #####"},
      {1, 2, 3, TargetArea::kFar, kEverything},
      {0, 0, 0, 3, kNothing},
      {0, 0, 0, -1, kNothing},
      {2, 0, 0, TargetArea::kFar, kNothing},
      {0, 0, 5, TargetArea::kFar, kNothing},
  };
  for (const auto& [side, row, column, reach, marked] : cases) {
    area.markArea(1, 1, 1, TargetArea::kAll);
    area.markReach(side, row, column, reach);
    EXPECT_EQ(marks(area), marked) << "reach " << reach;
  }
}

TEST_F(TargetAreaTest, AnArtReachesTheSideItAimsAt) {
  const std::pair<const char*, const char*> cases[] = {
      {"突き", "..... ..... ..... | ##### ...## ....."},
      {"矢", "..... ..... ..... | ##### ##### #####"},
      {"構え", kNothing},
      {"手当て", "##### ##### ##### | ..... ..... ....."},
      {"祈り", "##### ##### ##### | ..... ..... ....."},
      {"瞑想", "..#.. ..... ..... | ..... ..... ....."},
  };
  for (const auto& [name, marked] : cases) {
    Game::BattleGrid::markAbilityArea(area, *party, art(name));
    EXPECT_EQ(marks(area), marked) << name;
  }
  Game::BattleGrid::markAbilityArea(area, *party, Game::Ability());
  EXPECT_EQ(marks(area), "..#.. ..... ..... | ..... ..... .....");
  // From the enemies' side, the sides swap.
  const Unit& enemy = *battle.units[3];
  Game::BattleGrid::markAbilityArea(area, enemy, art("手当て"));
  EXPECT_EQ(marks(area), "..... ..... ..... | ##### ##### #####");
  Game::BattleGrid::markAbilityArea(area, enemy, art("突き"));
  EXPECT_EQ(marks(area), "##### #...# #...# | ..... ..... .....");
}

TEST_F(TargetAreaTest, MarkedUnitsInListOrderWithOrWithoutTheFallen) {
  const auto collected = [](TargetArea& from, bool living) {
    std::vector<Unit*> out;
    living ? from.collectLivingUnits(out) : from.collectUnits(out);
    return out;
  };
  area.markArea(1, 0, 0, TargetArea::kRow);
  EXPECT_EQ(collected(area, false), (std::vector<Unit*>{battle.units[2], battle.units[4]}));
  EXPECT_EQ(collected(area, true), std::vector<Unit*>{battle.units[2]});
  area.markArea(0, 1, 2, TargetArea::kAll);
  EXPECT_EQ(collected(area, false), battle.units);
  TargetArea unbound;
  unbound.markArea(1, 0, 0, TargetArea::kAll);
  EXPECT_TRUE(collected(unbound, false).empty());
}

TEST_F(TargetAreaTest, ACoveredUnitIsOutOfReachUntilItsCoverFalls) {
  Unit& behindRight = addUnit(1, 1, 2);
  Unit& behindLeft = addUnit(1, 1, 0);
  Unit& front = *battle.units[2];
  const std::vector<Unit*> open{battle.units[2], battle.units[3], battle.units[4]};
  EXPECT_EQ(reachable(*party, "突き"), open);
  kill(front);
  // The fallen one stays a candidate, as the target menu lists it.
  EXPECT_EQ(reachable(*party, "突き"),
            (std::vector<Unit*>{battle.units[2], battle.units[3], battle.units[4], &behindRight, &behindLeft}));
  // An unplaced user reaches nothing.
  EXPECT_TRUE(reachable(addUnit(0, -1, -1), "矢").empty());
}

}  // namespace
