#pragma once

#include <vector>

namespace Game {

class BattleServices;
class Unit;

// The order in which the battle's units act: every unit draws its order key
// anew, in unit-list order, and the greatest key goes first (IndexSorter's
// partition sort). Of equal keys the one first taken as a pivot stays in
// front: the earlier unit, unless moving a greater key past them reordered
// them.
void orderActions(const BattleServices& battle, std::vector<Unit*>& out);

}  // namespace Game
