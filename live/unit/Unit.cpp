#include "live/Unit.h"

#include <algorithm>
#include <cstring>

#include "live/unit/BattleServices.h"
#include "live/article/Article.h"
#include "records/stats/StatMath.h"
#include "live/unit/Ghost.h"
#include "live/unit/PlayerGhost.h"
#include "records/Database.h"
#include "records/expression/UnitTerms.h"
#include "live/unit/UnitGlue.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

// Attack flags the states add, and the element the magic barrier guards.
constexpr i32 kAntiCounterFlag = 15;
constexpr i32 kDrainFlag = 9;
constexpr i32 kSpellElement = 3;
constexpr i32 kDrugWeaponPerLevel = 10;
constexpr float kCellSize = 64.f;

// a / b of two sums of life; 0 against a maximum of 0.
float ratio(i64 value, i64 maximum) {
  return maximum > 0 ? static_cast<float>(value) / static_cast<float>(maximum) : 0.f;
}

}  // namespace

Unit::Unit(Ghost& ghost, BattleServices* battle, bool battleGhost)
    : mLife(ghost.lpRef()), mSide(ghost.isEnemy() ? 1 : 0), mBattleGhost(battleGhost), mGhost(ghost),
      mBattle(battle) {
  // Expressions reach units only through their glue, made current here.
  ExpressionStuff::UnitTerms::install(&ExpressionStuff::GlueStuff::unitTerms());
  if (mBattle) {
    createSceneNode();
  }
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
  mPlan.clear();
  mStates.clearAll();
}

void Unit::recompute() {
  if (!isAlive()) {
    mStates.clearStates();
  }
  i32 weapon = 0;
  mGhost.computeStats(mParameters, weapon, mAttack, mDefense, mAbilities, mWeaponSlot);
  if (mBattle) {
    mAbilities.bind(*mBattle);
  }
  mAbilities.applyPassives(mParameters, mDefense);
  weapon = applyStateRules(weapon);
  mParameters.add(mStates.boosts());
  if (mBattle && mSide == 0) {
    if (isPlaced()) {
      mBattle->addFormationParameters(*this, mParameters);
    }
    mBattle->addSynchroBonus(*this, mAbilities, mParameters, mAttack, mDefense);
  }
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
    weapon = saturatingAdd(weapon, StatMath::saturate(i64{kDrugWeaponPerLevel} * drugs));
  }
  if (!mPlan.empty() && !mPlan.front().item.isEmpty()) {
    weapon = saturatingAdd(weapon, mPlan.front().item.performance().weapon);
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
  mDefense.factors()[kSpellElement] *= magicBarrierFactor();
  return weapon;
}

void Unit::clamp() {
  for (i32 i = 0; i < StatusBlock::kCount; ++i) {
    mStatus[i] = std::max(mStatus[i], i == StatusBlock::kPsycho ? StatusBlock::kMinPsycho : 0);
  }
  mLife.clamp(maxHp(), maxLp());
  mGhost.clampToCaps(mParameters);
}

i32 Unit::level() const { return mGhost.getLevel(); }

bool Unit::resists(const char* state) const {
  const Database* database = Database::instance();
  return database && mDefense.resist().isSet(database->states().find(state));
}

i32 Unit::sideFieldMode() const { return mBattle ? mBattle->guardMode(mSide) : 0; }

bool Unit::hasName(const char* name) const {
  const char* own = mGhost.getName();
  if (own && std::strcmp(own, name) == 0) {
    return true;
  }
  if (const auto* player = dynamic_cast<const PlayerGhost*>(&mGhost); player && player->isNamed(name)) {
    return true;
  }
  return mName.c_str() && std::strcmp(mName.c_str(), name) == 0;
}

float Unit::getLifeRatio() const {
  return ratio(i64{hp()} + lp(), i64{maxHp()} + maxLp());
}

float Unit::getLpRatio() const { return ratio(lp(), maxLp()); }

void Unit::getHomePosition(Engine::Math::Vector3& out) const { cellPosition(out, mSide, mRow, mColumn); }

void Unit::cellPosition(Engine::Math::Vector3& out, i32 side, i32 row, i32 column) {
  const float x = static_cast<float>(row) * kCellSize + kCellSize;
  out.x = side == 1 ? -x : x;
  out.y = static_cast<float>(column) * kCellSize - 96.f;
  out.z = 0.f;
}

}  // namespace Game
