#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class EncounterTable;
struct EncounterGroup;
struct FieldAbilities;
class RandomGenerator;

namespace Field {

class SymbolField;

// Where a random battle stands after some arrivals since the last one.
struct EncounterOdds {
  // Whether the wait is long enough for a battle at all.
  bool possible = false;
  // The chance of one now, in [0, 1).
  float chance = 0.f;
  // Levels the enemies gain for the wait.
  float levelBonus = 0.f;
};

// After `arrivals` arrivals at a table's frequency (1 is the ordinary
// rate): no battle for the first 32 / frequency, then a chance that rises
// along a saturating curve, a half 32 arrivals past that wait.
EncounterOdds encounterOdds(Engine::i32 arrivals, float frequency);

// How the battle opens, by the party's field abilities: the party strikes
// first (1), the enemies do (2), they come from behind (3), each 1 in 20
// scaled by its ability factor; else an even start (0).
Engine::i32 drawStartMode(const FieldAbilities& abilities, RandomGenerator& random);

// The group a battle brings, drawn by the groups' priorities.
const EncounterGroup& drawGroup(const EncounterTable& table, RandomGenerator& random);

// Once a player's arrival on a cell: counts the barrier's steps down or the
// steps since the last battle up, and may set up a battle of the table's
// groups on the field's level and hand it to the field. True when a battle
// starts.
bool rollEncounter(const EncounterTable& table, SymbolField& field);

}  // namespace Field
}  // namespace Game
