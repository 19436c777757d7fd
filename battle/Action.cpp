// One use of an art in the cast phase: its targets' results, its cost, and
// what happens once its effect has played.

#include "battle/Action.h"

#include <algorithm>
#include <limits>

#include "battle/Battle.h"
#include "battle/TargetArea.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "records/stats/Parameters.h"
#include "live/unit/Ghost.h"
#include "records/Database.h"
#include "records/database/ToolData.h"
#include "records/table/StateData.h"

namespace Game {

using Engine::i32;
using Engine::i64;
using Engine::Math::Vector3;

namespace {

constexpr i32 kSupportType = 1;
constexpr i32 kDrainFlag = 9;
constexpr i32 kConsumeWeaponFlag = 21;
constexpr const char* kBlindState = "暗闇";
constexpr const char* kSleepState = "睡眠";
constexpr const char* kWorldState = "世界";
// The motion of the unit's picture a damaged target plays.
constexpr const char* kHitMotion = "damage";

i32 percentDraw() { return RandomGenerator::instance()->getInt(100); }
float unitDraw() { return RandomGenerator::instance()->getFloat(1.f); }

// The caption of the art, and the item in brackets after it.
void appendItem(String& out, const ToolData* item) {
  if (item) {
    out.append("「");
    out.append(item->name());
    out.append("」");
  }
}

void showEntries(Unit& unit, const std::vector<StateEntry>& entries) {
  for (const StateEntry& entry : entries) {
    unit.queueStateMessage(*entry.state, entry.amount);
  }
}

void applyEntries(Unit& unit, const std::vector<StateEntry>& entries) {
  for (const StateEntry& entry : entries) {
    unit.applyState(*entry.state, entry.amount, entry.checkResist);
  }
}

}  // namespace

Action::Action(Battle& battle, const ActionOrder& order)
    : mBattle(battle),
      mActor(order.actor),
      mArt(order.art),
      mChosenArt(order.chosen),
      mItem(order.item),
      mCell(order.cell),
      mKind(order.kind),
      mFollowUp(order.followUp),
      mMain(order.main) {
  if (mKind != ActionOrder::kExtra) {
    String text;
    mArt.caption(text);
    appendItem(text, mItem);
    setCaption(text.c_str(), mArt.levelRecord().isVisible());
  }
  if (order.weaponSlot >= 0) {
    mActor->setWeaponSlot(order.weaponSlot);
    mBattle.refresh();
  }
  aim();
  if (order.withSelfEntries) {
    drawSelfEntries();
  }
  if (order.pays) {
    payCost();
  }
}

void Action::listTargets(const Battle& battle, const Ability& art, const Place& cell, std::vector<Unit*>& out) {
  TargetArea area;
  area.init(battle);
  area.markArea(cell.side, cell.row, cell.column, art.area());
  area.collectUnits(out);
}

// The actor's own attack joins the art's; its added states only against the
// other side.
void Action::aim() {
  mEffect = mArt.attack();
  const bool supportsOwnSide = mArt.type() == kSupportType;
  mEffect.merge(mActor->attack(), !supportsOwnSide);
  std::vector<Unit*> units;
  listTargets(mBattle, mArt, mCell, units);
  for (Unit* unit : units) {
    mResults.push_back(resultFor(*unit));
  }
  Battle::unitCellPosition(mAimPoint, mCell.side, mCell.row, mCell.column);
}

ActionTarget Action::resultFor(Unit& target) const {
  ActionTarget result;
  result.unit = &target;
  const ResultKind kind = mArt.type() == kSupportType ? kRecovery : kDamage;
  if (!mFollowUp && percentDraw() > mArt.accuracy()) {
    return result;
  }
  if (kind == kDamage && mActor->holds(kBlindState) && percentDraw() > kBlindMissAbove) {
    return result;
  }
  bool hit = false;
  i32 amount = 0;
  mArt.computeAmount(hit, amount, *mActor, mEffect, target, mFollowUp, mCell);
  if (!hit) {
    return result;
  }
  result.kind = kind;
  result.amount = amount;
  result.counted = true;
  drawEntries(result);
  return result;
}

// A harmful state the entry lets the target resist passes a second draw,
// the surer the more the actor's charisma outweighs the target's resistance.
void Action::drawEntries(ActionTarget& result) const {
  const Unit& target = *result.unit;
  for (const AttackSpec& spec : mEffect.additions()) {
    if (spec.accuracy <= percentDraw()) {
      continue;
    }
    const StateData& state = Database::instance()->findState(spec.state());
    if (state.isHarmful() && spec.checkResist) {
      const i64 margin = i64{target.status()[StatusBlock::kResist]} - mActor->status()[StatusBlock::kCharisma];
      const float chance = kResistBase / (static_cast<float>(std::max<i64>(0, margin)) + kResistBase);
      if (chance <= unitDraw()) {
        continue;
      }
    }
    result.entries.push_back(StateEntry{&state, spec.amountAgainst(*mActor, target, mFollowUp, mCell),
                                        spec.checkResist});
  }
}

void Action::drawSelfEntries() {
  for (const AttackSpec& spec : mArt.attack().recoils()) {
    if (spec.accuracy > percentDraw()) {
      const StateData& state = Database::instance()->findState(spec.state());
      mSelfEntries.push_back(StateEntry{&state, spec.amountAgainst(*mActor, *mActor, false, mCell),
                                        spec.checkResist});
    }
  }
}

void Action::payCost() {
  mBattle.side(mActor->side()).pay(mActor->energyCost(mArt));
  const i32 tier = mActor->apTier(mArt);
  if (tier > 0) {
    mActor->ghost().spendAp(tier - 1);
  }
}

void Action::setCaption(const char* text, bool shown) {
  mCaption.assign(text);
  mCaptioned = shown;
}

void Action::chainName(String& out, bool final) const {
  const AbilityLevel& level = mArt.levelRecord();
  const char* last = level.chainName(1);
  out.append(final && *last ? last : level.chainName(0));
  appendItem(out, mItem);
}

// The drain sum stops at the int range.
void Action::prepare() {
  if (!mEffect.elements().isSet(kDrainFlag)) {
    return;
  }
  i64 sum = 0;
  for (const ActionTarget& result : mResults) {
    if (result.kind == kDamage) {
      sum = std::min<i64>(sum + result.amount, std::numeric_limits<i32>::max());
    }
  }
  const i32 quarter = static_cast<i32>(sum / kDrainDivisor);
  if (quarter > 0) {
    ActionTarget recovery;
    recovery.kind = kRecovery;
    recovery.amount = quarter;
    recovery.counted = true;
    recovery.unit = mActor;
    mSecondary.push_back(recovery);
  }
}

void Action::applyResults() {
  for (const std::vector<ActionTarget>* list : {&mResults, &mSecondary}) {
    for (const ActionTarget& result : *list) {
      if (!result.counted) {
        continue;
      }
      Unit& unit = *result.unit;
      if (result.kind == kDamage) {
        const i32 hpBefore = unit.hp();
        unit.life().takeDamage(result.amount);
        unit.setStateLevel(kSleepState, 0);
        if (unit.side() == 0) {
          mBattle.partyRecord().addDamage(result.amount);
          // Only a new fall counts: a member already down is not felled again.
          if (hpBefore >= 1 && unit.hp() < 1) {
            mBattle.partyRecord().addFall();
          }
        }
      } else if (result.kind == kRecovery) {
        unit.life().recoverHp(result.amount);
        unit.clamp();
      }
    }
  }
}

void Action::finish() {
  for (const std::vector<ActionTarget>* list : {&mResults, &mSecondary}) {
    for (const ActionTarget& result : *list) {
      applyEntries(*result.unit, result.entries);
    }
  }
  applyEntries(*mActor, mSelfEntries);
  const i32 delay = mArt.recoil();
  if (!mActor->holds(kWorldState) && delay > 0) {
    mActor->setHold(saturatingAdd(delay, 1));
  }
  addAfterNotice();
  if (mMain) {
    wearWeapon();
  }
}

// The art's line for the actor's side, shown on the actor with the other
// notices once the defeated have left.
void Action::addAfterNotice() {
  const char* text = mArt.levelRecord().afterText(mActor->side());
  UnitEntry* entry = mBattle.entryOf(*mActor);
  if (*text != '\0' && entry) {
    mBattle.notices().add(*entry, text);
  }
}

// The weapon in hand wears, or is used up by an art that spends it.
void Action::wearWeapon() {
  const i32 slot = mActor->weaponSlot();
  if (slot < 0 || !mActor->ghost().getEquipment(slot)) {
    return;
  }
  if (mEffect.elements().isSet(kConsumeWeaponFlag)) {
    mActor->ghost().clearEquipment(slot);
  } else {
    mActor->wearEquipment();
  }
}

Effect::Stage& Action::stage() const { return mBattle.stage(); }

void Action::targetCellPosition(Vector3& out) const { out = mAimPoint; }

const char* Action::caption() const { return mCaptioned ? mCaption.c_str() : nullptr; }

void Action::showResults() {
  for (const std::vector<ActionTarget>* list : {&mResults, &mSecondary}) {
    for (const ActionTarget& result : *list) {
      Unit& unit = *result.unit;
      if (!result.counted) {
        unit.messages().queueDamage(kMissValue, kPlainColour);
      } else if (result.kind == kDamage) {
        const bool fatal = unit.side() == 0 && result.amount > unit.hp();
        unit.messages().queueDamage(result.amount, fatal ? kFatalColour : kPlainColour);
      } else {
        unit.messages().queueDamage(result.amount, kRecoveryColour);
      }
      showEntries(unit, result.entries);
    }
  }
  showEntries(*mActor, mSelfEntries);
  for (const ActionTarget& result : mResults) {
    if (result.counted && result.kind == kDamage) {
      result.unit->playNamedMotion(kHitMotion, 0.f);
    }
  }
}

}  // namespace Game
