#include "battle/SynchroGroups.h"

#include <cstring>

#include "live/Unit.h"
#include "records/stats/StatMath.h"
#include "live/unit/BattleServices.h"
#include "live/unit/Ghost.h"
#include "records/Database.h"
#include "records/database/ShellData.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

bool isLivingPartyMember(const BattleServices& battle, const ShellData& shell) {
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    const Unit* unit = battle.unitAt(i);
    if (unit && unit->side() == 0 && unit->isAlive() &&
        std::strcmp(unit->ghost().getDefinitionKey(), shell.fullName()) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool SynchroGroups::isActive(const SynchroData& group, const BattleServices& battle) {
  i32 present = 0;
  for (const ShellData* member : group.members()) {
    if (isLivingPartyMember(battle, *member)) {
      ++present;
    }
  }
  return present >= group.number();
}

void SynchroGroups::refresh(const BattleServices& battle) {
  mActive.clear();
  i64 capacity = 0;
  i64 regeneration = 0;
  if (const Database* database = Database::instance()) {
    for (const SynchroData& group : database->synchros()) {
      if (isActive(group, battle)) {
        mActive.push_back(&group);
        capacity += group.energyCapacity();
        regeneration += group.energySpeed();
      }
    }
  }
  mCapacityBonus = StatMath::saturate(capacity);
  mRegenerationBonus = StatMath::saturate(regeneration);
}

void SynchroGroups::addSynchroBonus(const Unit& unit, AbilityList& abilities, Parameters& parameters,
                                    AttackBlock& attack, DefenseBlock& defense) const {
  if (unit.side() != 0) {
    return;
  }
  for (const SynchroData* group : mActive) {
    abilities.appendFrom(group->arts());
    parameters.add(group->status());
    attack.merge(group->attack(), true);
    defense.add(group->defense());
  }
}

}  // namespace Game
