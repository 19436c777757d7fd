#include "records/ability/Ability.h"

#include <algorithm>
#include <cmath>

#include "core/random/RandomGenerator.h"
#include "core/string/StringRef.h"
#include "records/ability/AbilityHosts.h"
#include "records/stats/Experience.h"
#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"
#include "records/table/RecordTables.h"
#include "records/table/RecordReading.h"
#include "records/expression/Expression.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr i32 kCardFlag = 0;  // 符
constexpr u32 kAttackColor = 0xFFFF8080;
constexpr u32 kSupportColor = 0xFF8080FF;
constexpr u32 kCounterColor = 0xFF80FFFF;
constexpr u32 kPassiveColor = 0xFFC0C0C0;

bool holds(const Expression* expression, const Unit& unit) { return !expression || expression->evaluateForUnit(unit) != 0; }

}  // namespace

Ability Ability::fromName(const char* name) { return Ability(&RecordTables::instance()->findAbility(name)); }

void Ability::load(const NmlNode& node) {
  *this = Ability{};
  if (const NmlAttribute* line = node.findAttribute("ability")) {
    mArt = &RecordTables::instance()->findAbility(line->toString(0));
  }
  if (const NmlAttribute* line = node.findAttribute("level")) {
    setLevel(line->toInt(0));
  }
  if (node.countChildren("trigger") > 0) {
    auto trigger = std::make_shared<TriggerSpec>();
    trigger->read(*node.findChild("trigger"));
    mTrigger = std::move(trigger);
  }
  mExpression = RecordReading::compiled(node, "expression");
  mTargetExpression = RecordReading::compiled(node, "targetExpression");
  mRelationExpression = RecordReading::compiled(node, "relationExpression");
  if (const NmlAttribute* line = node.findAttribute("priority")) {
    mPriority = line->toFloat(0);
  }
  if (const NmlAttribute* line = node.findAttribute("costCancel")) {
    mCostCancel = line->toBool(0);
  }
}

void Ability::save(NmlNode& node) const {
  node.addAttribute("ability", mArt ? mArt->fullName() : "");
  node.addInt("level", mLevel);
}

TriggerSpec Ability::trigger() const {
  const TriggerSpec& own = levelRecord().trigger();
  return mTrigger ? mTrigger->over(own) : own;
}

bool Ability::relationHolds(const AttackBlock& attack) const {
  const TriggerSpec spec = trigger();
  return spec.matches(attack) && RandomGenerator::instance()->getInt(100) <= spec.accuracy();
}

bool Ability::conditionHolds(const Unit& unit) const {
  return holds(mExpression.get(), unit) && holds(levelRecord().expression(), unit);
}

bool Ability::targetConditionHolds(const Unit& unit, const Unit& target) const {
  if (mRelationExpression && mRelationExpression->evaluateForUnits(unit, target) == 0) {
    return false;
  }
  return holds(mTargetExpression.get(), target) && holds(levelRecord().targetExpression(), target);
}

void Ability::scaleToGhost(const GhostLevel& ghost) {
  if (!canLevelUp() || mLevel != 1) {
    return;
  }
  const float f = std::clamp(Experience::levelFactor(ghost.level()) + ghost.getArtLevelBonus(), 0.f, 1.f);
  const float level = static_cast<float>(maxLevel() - 1) * f + 1.f + 0.5f;
  mLevel = std::clamp(StatMath::truncate(level), 1, maxLevel());
}

void Ability::bind(const SpellMemory& battle) {
  if (!mArt || StringRef(mArt->name()) != kRecallArt) {
    return;
  }
  if (const Ability* spell = battle.lastSpell(); spell && spell->mArt) {
    mArt = spell->mArt;
    mLevel = spell->mLevel;
    mCostCancel = true;
    mRecalled = true;
  }
}

void Ability::caption(String& out) const {
  out.assign(name());
  if (mLevel >= 2) {
    out.append("Lv");
    out.appendInt(mLevel);
  }
}

void Ability::displayName(String& out) const {
  if (mRecalled) {
    out.assign("想起「");
    out.append(name());
    out.append("」");
    return;
  }
  const bool ownFullName = StringRef(fullName()) != name();
  if (!ownFullName && !attack().elements().isSet(kCardFlag)) {
    out.assign(name());
    return;
  }
  out.assign(fullName());
  out.append("「");
  out.append(name());
  out.append("」");
}

u32 Ability::menuColor() const {
  if (isSelectable()) {
    return type() == 0 ? kAttackColor : kSupportColor;
  }
  return isAutoCounter() ? kCounterColor : kPassiveColor;
}

}  // namespace Game
