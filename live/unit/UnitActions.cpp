// What a battle unit does in a turn: its place in the order, its plan, what
// it can pay for and use, and the arts it answers or follows up with.

#include <cmath>

#include "live/unit/BattleServices.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/article/Article.h"
#include "live/unit/Ghost.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kSpellFlag = 3;
constexpr i32 kReflectFlag = 14;
constexpr i32 kActionAntiCounterFlag = 15;
constexpr i32 kActionSupportType = 1;
constexpr float kDelayPenalty = 256.f;
constexpr float kCarefulWear = 0.6f;
constexpr float kFirstStrikeBase = 0.9f;

bool isSpell(const Ability& art) { return art.attack().elements().isSet(kSpellFlag); }

// The reactions of the states, in the order they are tried: the state held
// and the art it answers with.
constexpr const char* kStateReactions[][2] = {
    {"氷バリア", "氷バリア発動"},   {"氷バリア", "氷バリア冷防御"}, {"分身", "分身"},
    {"シールド", "シールド発動"},   {"サーマルバリア", "サーマル冷熱防御"},
    {"サーマルバリア", "サーマルカウンター"}, {"GlintBlade", "パリィ"},
    {"FloatingBellSplash", "FloatingBellSplash"}, {"CrimsonFocus", "Stillmere"},
};

}  // namespace

float Unit::orderKey() const {
  const float r = RandomGenerator::instance()->getFloat(1.f);
  float key = static_cast<float>(Engine::i64{mStatus[StatusBlock::kSpeed]} + 1) * (1.f - r * r);
  if (!mPlan.empty()) {
    key += static_cast<float>(mPlan.front().art.speed());
  }
  if (holds("ディレイ")) {
    key -= kDelayPenalty;
  }
  return key;
}

i32 Unit::actionCount(const Ability& art) const {
  i32 count = saturatingAdd(1, mAbilities.levelOfNamed("行動回数増加"));
  if (isSpell(art)) {
    count = saturatingAdd(count, stateLevel("ゴーストキャスター"));
  }
  return count;
}

i32 Unit::planAction(i32 weaponSlot, const Ability& art, const Place& target, const Article* item, i32 flags) {
  return planAction(weaponSlot, art, art, target, item, flags);
}

i32 Unit::planAction(i32 weaponSlot, const Ability& art, const Ability& chosen, const Place& target,
                     const Article* item, i32 flags) {
  if (holds("恐怖") && RandomGenerator::instance()->coin()) {
    return kPlanRefused;
  }
  if (mPlan.empty()) {
    mWeaponSlot = weaponSlot;
    if (!holds("世界")) {
      mCharge = saturatingAdd(art.charge(), 1);
    }
  }
  const i32 count = actionCount(art);
  for (i32 i = 0; i < count; ++i) {
    mPlan.push_back(PlannedAction{art, target, item ? *item : Article(), flags, chosen});
  }
  return 0;
}

i32 Unit::energyCost(const Ability& art) const {
  return isSpell(art) && holds("ElementalCrystalRing") ? 0 : art.energy();
}

i32 Unit::apTier(const Ability& art) const { return isSpell(art) && holds("ElementalCrystalRing") ? 0 : art.cost(); }

bool Unit::canPay(const Ability& art, bool checkEnergy) const {
  if (mGhost.isEnemy()) {
    return true;
  }
  if (checkEnergy && mBattle && mBattle->energy(mSide) < energyCost(art)) {
    return false;
  }
  const i32 tier = apTier(art);
  return tier <= 0 || mGhost.getAp(tier - 1) >= 1;
}

bool Unit::canAct() const {
  if (!isAlive() || (mPlan.empty() && mHold > 0) || holds("麻痺") || holds("睡眠")) {
    return false;
  }
  return !mBattle || !mBattle->isTimeStopped() || holds("世界") || mAbilities.has("入門");
}

bool Unit::canUse(const Ability& art, bool checkEnergy) const {
  if (!art.isValid() || !canPay(art, checkEnergy)) {
    return false;
  }
  if (art.isPassive()) {
    return true;
  }
  if (!canAct() || (isSpell(art) && holds("発狂"))) {
    return false;
  }
  const i32 seal = stateLevel("封印");
  if ((apTier(art) > 0 && seal > 1) || (energyCost(art) > 0 && seal > 0)) {
    return false;
  }
  return art.conditionHolds(*this);
}

void Unit::wearEquipment() {
  const i32 care = mAbilities.levelOfNamed("ていねいに扱う");
  if (care > 0 && RandomGenerator::instance()->getFloat(1.f) > std::pow(kCarefulWear, static_cast<float>(care))) {
    return;
  }
  mGhost.useEquipment(mWeaponSlot);
}

float Unit::abilityFactor(const char* name) const {
  const i32 level = mAbilities.levelOfNamed(name);
  return level == 0 ? 0.f : 1.f - std::pow(kFirstStrikeBase, static_cast<float>(level));
}

void Unit::collectReactions(const StrikeReport& strike, std::vector<Reaction>& out) {
  const AttackBlock* attack = strike.attack ? strike.attack : (strike.art ? &strike.art->attack() : nullptr);
  if (!strike.attacker || !strike.art || !attack || !strike.hit || strike.damage <= 0 ||
      attack->elements().isSet(kActionAntiCounterFlag)) {
    return;
  }
  const StrikeReport report{strike.attacker, strike.art, attack, strike.hit, strike.damage};
  const i32 guard = sideFieldMode();
  if (guard == 1) {
    addReactionNamed("EclipseSidestep", report, out);
  } else if (guard == 2) {
    addReactionNamed("結界発動", report, out);
  }
  if (canAct() && !mPlan.empty() && mCharge < 1) {
    const Ability& planned = mPlan.front().art;
    if (canUse(planned, true) && planned.triggerKind() != TriggerSpec::kPlain && reactionFires(planned, report)) {
      addReaction(planned, report, out);
    }
  }
  for (const auto& entry : kStateReactions) {
    if (holds(entry[0]) && addReactionNamed(entry[1], report, out)) {
      break;
    }
  }
  for (i32 i = 0; i < mAbilities.count(); ++i) {
    const Ability& art = mAbilities.at(i);
    if (art.isAutoCounter() && reactionFires(art, report)) {
      addReaction(art, report, out);
      break;
    }
  }
}

// The report has passed the checks every reaction shares.
bool Unit::reactionFires(const Ability& art, const StrikeReport& strike) {
  if (!art.relationHolds(*strike.attack)) {
    return false;
  }
  if (art.isFinalAttack() && strike.damage < Engine::i64{hp()} + lp()) {
    return false;
  }
  return canUse(art, true);
}

void Unit::addReaction(const Ability& art, const StrikeReport& strike, std::vector<Reaction>& out) {
  const Ability& answer = art.attack().elements().isSet(kReflectFlag) ? *strike.art : art;
  const Place aim = answer.type() == kActionSupportType ? place() : strike.attacker->place();
  out.push_back(Reaction{this, answer, aim});
}

bool Unit::addReactionNamed(const char* name, const StrikeReport& strike, std::vector<Reaction>& out) {
  const Ability art = Ability::fromName(name);
  if (!reactionFires(art, strike)) {
    return false;
  }
  addReaction(art, strike, out);
  return true;
}

void Unit::followUps(const Ability& done, std::vector<Ability>& out) const {
  for (i32 i = 1; i < worldLevel(); ++i) {
    out.push_back(done);
  }
  if (isOverdosed()) {
    const Ability sideEffect = Ability::fromName("副作用");
    if (sideEffect.relationHolds(done.attack())) {
      out.push_back(sideEffect);
    }
  }
  for (i32 i = 0; i < mAbilities.count(); ++i) {
    const Ability& art = mAbilities.at(i);
    if (art.isFollowUp() && art.relationHolds(done.attack()) && art.type() == done.type()) {
      out.push_back(art);
    }
  }
}

}  // namespace Game
