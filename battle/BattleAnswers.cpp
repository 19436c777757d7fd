#include "battle/BattleAnswers.h"

#include "battle/BattleGrid.h"
#include "battle/FormationBonus.h"
#include "battle/TargetArea.h"
#include "live/Unit.h"
#include "live/unit/BattleServices.h"

namespace Game::BattleAnswers {

using Engine::i32;

bool isStacked(const BattleServices& battle, i32 side, i32 row, i32 column) {
  BattleGrid grid;
  grid.markLivingUnits(battle, side);
  return grid.isStacked(row, column);
}

void collectReachable(const BattleServices& battle, const Unit& user, const Ability& art, std::vector<Unit*>& out) {
  TargetArea area;
  area.init(battle);
  BattleGrid::markAbilityArea(area, user, art);
  area.collectUnits(out);
}

void addFormationParameters(const BattleServices& battle, const Unit& unit, Parameters& parameters) {
  BattleGrid grid;
  grid.markLivingUnits(battle, unit.side());
  CellSurroundings surroundings;
  grid.cellSurroundings(surroundings, unit.row(), unit.column());
  addFormationBonuses(surroundings, parameters);
}

bool isTimeStopped(const BattleServices& battle) {
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    const Unit* unit = battle.unitAt(i);
    if (unit && unit->isAlive() && unit->worldLevel() > 0) {
      return true;
    }
  }
  return false;
}

}  // namespace Game::BattleAnswers
