#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class AbilityList;
class AttackBlock;
class BattleServices;
class DefenseBlock;
class Parameters;
class SynchroData;
class Unit;

// The synchro groups of the database that are active in a battle: those of
// which at least their "number" of members are living party units. Active
// groups raise the party side's energy capacity and regeneration and give
// every party unit their arts, parameters, attack and defence.
class SynchroGroups {
 public:
  static bool isActive(const SynchroData& group, const BattleServices& battle);

  // The active groups found anew, in database order, with their bonuses.
  void refresh(const BattleServices& battle);
  const std::vector<const SynchroData*>& active() const { return mActive; }
  Engine::i32 capacityBonus() const { return mCapacityBonus; }
  Engine::i32 regenerationBonus() const { return mRegenerationBonus; }

  // What the active groups add to a party unit's blocks; nothing for an
  // enemy.
  void addSynchroBonus(const Unit& unit, AbilityList& abilities, Parameters& parameters, AttackBlock& attack,
                       DefenseBlock& defense) const;

 private:
  std::vector<const SynchroData*> mActive;
  Engine::i32 mCapacityBonus = 0;
  Engine::i32 mRegenerationBonus = 0;
};

}  // namespace Game
