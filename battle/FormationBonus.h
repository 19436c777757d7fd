#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class Parameters;
class String;
struct CellSurroundings;

// What a party unit's cell gives it: each surrounding raises one parameter
// by a fixed amount per count. The battle adds it to the unit; the camp's
// formation screen lists it.
struct ParameterBonus {
  Engine::i32 parameter = 0;
  Engine::i32 amount = 0;
  bool operator==(const ParameterBonus&) const = default;
};

// The bonuses the surroundings give, in the order front, back, far, row;
// those of amount 0 left out.
void collectFormationBonuses(const CellSurroundings& surroundings, std::vector<ParameterBonus>& out);
void addFormationBonuses(const CellSurroundings& surroundings, Parameters& parameters);
// "<parameter>ボーナス n", as the formation screen prints a bonus.
void formationBonusLine(const ParameterBonus& bonus, String& out);

}  // namespace Game
