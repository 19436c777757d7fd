#include "data/Unit.h"

#include <algorithm>

#include "data/article/Article.h"
#include "data/stats/StatMath.h"
#include "data/unit/Ghost.h"
#include "resource/Database.h"

namespace Game {

using Engine::i32;

namespace {

// Attack flags the states add, and the element the magic barrier guards.
constexpr i32 kAntiCounterFlag = 15;
constexpr i32 kDrainFlag = 9;
constexpr i32 kSpellElement = 3;
constexpr i32 kDrugWeaponPerLevel = 10;

}  // namespace

Unit::Unit(Ghost& ghost, Battle* battle, bool battleGhost)
    : mLife(ghost.lpRef()), mSide(ghost.isEnemy() ? 1 : 0), mBattleGhost(battleGhost), mGhost(ghost),
      mBattle(battle) {
  resetForBattle();
  recompute();
  clamp();
}

void Unit::resetForBattle() {
  mLife.fill();
  mTurnCount = 0;
  mWeaponSlot = -1;
  mCharge = 0;
  mHold = 0;
  mTurnMark = 0;
  mStates.clearAll();
}

void Unit::recompute() {
  if (!isAlive()) {
    mStates.clearStates();
  }
  i32 weapon = 0;
  mGhost.computeStats(mParameters, weapon, mAttack, mDefense, mAbilities, mWeaponSlot);
  mAbilities.applyPassives(mParameters, mDefense);
  weapon = applyStateRules(weapon);
  mParameters.add(mStates.boosts());
  mStatus.derive(mParameters);
  mStatus[StatusBlock::kWeapon] = saturatingAdd(mStatus[StatusBlock::kWeapon], weapon);
}

// The weapon value and the blocks as the unit's states and abilities bend
// them.
i32 Unit::applyStateRules(i32 weapon) {
  const Article* arms = mGhost.getEquipment(mWeaponSlot);
  if (arms && arms->isLastUse() && mAbilities.has("ファイナルストライク")) {
    weapon = saturatingAdd(weapon, weapon);
  }
  const i32 drugs = stateLevel("薬漬け");
  if (drugs > 0) {
    weapon = saturatingAdd(weapon, StatMath::saturate(Engine::i64{kDrugWeaponPerLevel} * drugs));
  }
  if (mStates.holds("呪い")) {
    for (i32 i = Parameters::kStrength; i < Parameters::kCount; ++i) {
      mParameters[i] /= 2;
    }
  }
  if (mStates.holds("カウンター無効付加")) {
    mAttack.elements().set(kAntiCounterFlag);
  }
  if (mStates.holds("吸収付加")) {
    mAttack.elements().set(kDrainFlag);
  }
  const float barrier = (100.f - static_cast<float>(stateLevel("マジックバリア"))) / 100.f;
  mDefense.factors()[kSpellElement] *= barrier;
  return weapon;
}

void Unit::clamp() {
  for (i32 i = 0; i < StatusBlock::kCount; ++i) {
    mStatus[i] = std::max(mStatus[i], i == StatusBlock::kPsycho ? StatusBlock::kMinPsycho : 0);
  }
  mLife.clamp(maxHp(), maxLp());
  mGhost.clampToCaps(mParameters);
}

bool Unit::canAct() const {
  return isAlive() && mHold <= 0 && !mStates.holds("麻痺") && !mStates.holds("睡眠");
}

i32 Unit::level() const { return mGhost.getLevel(); }

bool Unit::resists(const char* state) const {
  const Database* database = Database::instance();
  return database && mDefense.resist().isSet(database->states().find(state));
}

}  // namespace Game
