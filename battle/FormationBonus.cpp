#include "battle/FormationBonus.h"

#include "battle/BattleGrid.h"
#include "core/string/String.h"
#include "records/stats/Parameters.h"
#include "records/stats/StatMath.h"
#include "records/constance/Constance.h"

namespace Game {

using Engine::i32;

namespace {

// Allies behind the cell embolden it, allies before it give it room to
// think, distance gives room to move, and a shared row steadies it.
struct SurroundingBonus {
  i32 CellSurroundings::*count;
  i32 parameter;
  i32 perCount;
};
constexpr SurroundingBonus kBonuses[] = {
    {&CellSurroundings::front, Parameters::kStrength, 2},
    {&CellSurroundings::back, Parameters::kIntellect, 2},
    {&CellSurroundings::far, Parameters::kAgility, 1},
    {&CellSurroundings::row, Parameters::kVitality, 2},
};

}  // namespace

void collectFormationBonuses(const CellSurroundings& surroundings, std::vector<ParameterBonus>& out) {
  for (const SurroundingBonus& bonus : kBonuses) {
    const i32 amount = StatMath::saturate(Engine::i64{surroundings.*bonus.count} * bonus.perCount);
    if (amount != 0) {
      out.push_back(ParameterBonus{bonus.parameter, amount});
    }
  }
}

void addFormationBonuses(const CellSurroundings& surroundings, Parameters& parameters) {
  std::vector<ParameterBonus> bonuses;
  collectFormationBonuses(surroundings, bonuses);
  Parameters added;
  for (const ParameterBonus& bonus : bonuses) {
    added[bonus.parameter] = StatMath::saturate(Engine::i64{added[bonus.parameter]} + bonus.amount);
  }
  parameters.add(added);
}

void formationBonusLine(const ParameterBonus& bonus, String& out) {
  out.assign(Constance::instance()->parameterName(bonus.parameter));
  out.append("ボーナス ");
  out.appendInt(bonus.amount);
}

}  // namespace Game
