#include "live/unit/Ghost.h"

#include <algorithm>

#include "live/Unit.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Parameters.h"
#include "records/stats/StatMath.h"

namespace Game {

using Engine::i32;

i32 saturatingAdd(i32 a, i32 b) { return StatMath::saturate(Engine::i64{a} + b); }

void Ghost::resetAll() {
  mLp = kFull;
  reset();
}

void Ghost::restoreFull() {
  mLp = kFull;
  fillAp();
  clampToDerivedCaps();
}

void Ghost::clampToCaps(const Parameters& caps) {
  mLp = std::max(std::min(mLp, caps[Parameters::kLp]), 0);
  clampAp(caps);
}

void Ghost::clampToDerivedCaps() { Unit unit(*this); }

void Ghost::addAp(i32 n) {
  if (n > 0) {
    for (i32 tier = 0; tier < kApTiers; ++tier) {
      addToAp(tier, n);
    }
  }
  clampToDerivedCaps();
}

void Ghost::addLp(i32 n) {
  if (n > 0) {
    mLp = saturatingAdd(mLp, n);
  }
  clampToDerivedCaps();
}

void Ghost::computeStats(Parameters& parameters, i32& weapon, AttackBlock& attack, DefenseBlock& defense,
                         AbilityList& abilities, i32 weaponSlot) const {
  abilities.clear();
  gatherBaseStats(parameters, weapon, attack, defense);
  addEquipmentStats(parameters, weapon, attack, defense, abilities, weaponSlot);
  abilities.appendFrom(mAbilities);
}

}  // namespace Game
