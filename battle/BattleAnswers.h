#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class Ability;
class BattleServices;
class Parameters;
class Unit;

// What the battle answers a unit from its units and their cells; the battle
// forwards the questions of BattleServices here.
namespace BattleAnswers {

// With the side's living units marked, two or more stand before the cell.
bool isStacked(const BattleServices& battle, Engine::i32 side, Engine::i32 row, Engine::i32 column);
// Every unit on a cell the art reaches from the user's cell, fallen ones
// included (as the target menu offers them), in unit-list order.
void collectReachable(const BattleServices& battle, const Unit& user, const Ability& art, std::vector<Unit*>& out);
// The bonuses of the unit's cell among the living units of its side.
void addFormationParameters(const BattleServices& battle, const Unit& unit, Parameters& parameters);
// Time stands still while a living unit holds 世界.
bool isTimeStopped(const BattleServices& battle);

}  // namespace BattleAnswers

}  // namespace Game
