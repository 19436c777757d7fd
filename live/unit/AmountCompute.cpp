// The damage computation of an amount entry against a battle unit.
// Every product is taken in single precision and truncated toward zero at
// once, as the game's numbers depend on that rounding.

#include <algorithm>
#include <cmath>

#include "live/unit/BattleServices.h"
#include "live/Unit.h"
#include "records/ability/Ability.h"
#include "records/stats/AmountSpec.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/StatMath.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr i32 kAttackType = 0;
constexpr i32 kSupportType = 1;
constexpr i32 kMeleeRange = 1;
constexpr i32 kCircleArea = 5;
constexpr i32 kPhysicalFlag = 1;
constexpr float kBerserkFactor = 1.3f;

i32 scaled(i32 amount, float factor) { return StatMath::truncate(static_cast<float>(amount) * factor); }

// The lowest of the target's type defences over the attack's damage types;
// 0 without a type or when that lowest is negative.
float typeDefense(const Unit& target, const TypeFlags& types) {
  bool any = false;
  i32 lowest = 0;
  for (i32 t = 0; t < TypeFlags::kCount; ++t) {
    if (types.isSet(t)) {
      const i32 defense = target.defense().typeDefense(t);
      lowest = any ? std::min(lowest, defense) : defense;
      any = true;
    }
  }
  return static_cast<float>(std::max(lowest, 0));
}

// The lower of the two defences answers every damage type alike.
float defenseValue(const Unit& target) {
  const StatusBlock& status = target.status();
  return static_cast<float>(std::min(status[StatusBlock::kDefense], status[StatusBlock::kMagicDefense]));
}

struct TypeSupport {
  const char* ability;
  i32 type;
};
struct ElementSupport {
  const char* ability;
  i32 element;
};
constexpr TypeSupport kTypeSupports[] = {{"斬撃サポート", 0}, {"打撃サポート", 1}, {"射撃サポート", 2},
                                         {"熱サポート", 4},   {"冷サポート", 5},   {"光サポート", 8}};
constexpr ElementSupport kElementSupports[] = {{"凝視サポート", 13},   {"レーザーサポート", 12}, {"電気サポート", 16},
                                               {"音サポート", 8},      {"水サポート", 5}};

}  // namespace

float supportFactor(const Unit& attacker, const AttackBlock& flags) {
  const AbilityList& abilities = attacker.abilities();
  i32 bonuses[TypeFlags::kCount] = {};
  for (const TypeSupport& support : kTypeSupports) {
    bonuses[support.type] = abilities.levelOfNamed(support.ability);
  }
  FactorBlock factors;
  for (const ElementSupport& support : kElementSupports) {
    factors[support.element] += static_cast<float>(abilities.levelOfNamed(support.ability)) / 100.f;
  }
  float f = 1.f;
  for (i32 t = 0; t < TypeFlags::kCount; ++t) {
    if (flags.types().isSet(t)) {
      f = (static_cast<float>(bonuses[t]) + 100.f) / 100.f * f;
    }
  }
  return f * factors.product(flags.elements());
}

i32 AmountSpec::statusTerm(i32 type, const Unit& attacker, const AttackBlock& flags, const Unit& target,
                           bool halveTypeDefense) const {
  if (statusPower == 0) {
    return 0;
  }
  const StatusBlock& status = attacker.status();
  const float s = static_cast<float>(statusIndex >= 0 && statusIndex < StatusBlock::kCount ? status[statusIndex] : 0);
  const float w = static_cast<float>(status[StatusBlock::kWeapon]);
  const float p = static_cast<float>(statusPower);
  float dt = typeDefense(target, flags.types());
  float m = defenseValue(target);
  if (type == kSupportType) {
    dt = 0.f;
    m = 0.f;
  }
  if (attacker.stateLevel("集中") > 0) {
    dt *= 0.5f;
  }
  if (halveTypeDefense) {
    dt *= 0.5f;
  }
  if (pierce != 0.f) {
    dt *= 1.f - pierce;
  }
  const float x = (w * 0.5f + s * 0.5f + p) * (s + 50.f) / (m + 50.f);
  const float v = (randomFactor() * x - dt) * ((s + p) / 2.f) / 2.f;
  return v > 0.f ? StatMath::truncate(v) : 0;
}

void AmountSpec::compute(bool& hit, i32& amount, i32 type, i32 range, const Unit& attacker, const AttackBlock& flags,
                         const Unit& target, bool halveTypeDefense, i32 area, const Place& aimPlace) const {
  hit = true;
  const i32 targetPart = targetTerm(target.maxHp(), target.maxLp(), target.hp(), target.lp(), randomFactor());
  const i32 myPart = myTerm(attacker.hp(), attacker.lp());
  const i32 statusPart = statusTerm(type, attacker, flags, target, halveTypeDefense);
  amount = StatMath::saturate(i64{constance} + targetPart + myPart + statusPart);
  if (stamina != 0.f) {
    amount = scaled(amount, 1.f - (1.f - attacker.getLifeRatio()) * stamina);
  }
  const float resist = target.defense().factors().product(flags.elements());
  if (resist == 0.f) {
    hit = false;
  }
  amount = scaled(amount, resist);
  if (flags.elements().isSet(kPhysicalFlag)) {
    amount = scaled(amount, attacker.chargeUpFactor());
    if (attacker.stateLevel("発狂") > 0) {
      amount = scaled(amount, kBerserkFactor);
    }
  }
  if (type == kAttackType) {
    amount = scaled(amount, target.guardFactor());
  }
  amount = scaled(amount, supportFactor(attacker, flags));
  const BattleServices* battle = attacker.battle();
  if (range == kMeleeRange && target.side() != attacker.side() && battle &&
      battle->isStacked(attacker.side(), attacker.row(), attacker.column())) {
    amount /= 2;
  }
  if (area == kCircleArea) {
    amount = scaled(amount, std::pow(0.5f, placeDistance(target.place(), aimPlace)));
  }
  amount = std::max(amount, 0);
}

i32 AttackSpec::amountAgainst(const Unit& attacker, const Unit& target, bool halveTypeDefense,
                              const Place& aimPlace) const {
  if (!amount) {
    return level;
  }
  static const AttackBlock kNoFlags;
  bool hit = false;
  i32 value = 0;
  amount->compute(hit, value, kSupportType, 2, attacker, kNoFlags, target, halveTypeDefense, 1, aimPlace);
  return hit ? StatMath::saturate(Engine::i64{level} + value) : level;
}

void Ability::computeAmount(bool& hit, i32& amount, const Unit& attacker, const AttackBlock& flags,
                            const Unit& target, bool halveTypeDefense, const Place& aimPlace) const {
  power().compute(hit, amount, type(), range(), attacker, flags, target, halveTypeDefense, area(), aimPlace);
}

}  // namespace Game
