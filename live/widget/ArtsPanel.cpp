#include "live/widget/ArtsPanel.h"

#include "live/Unit.h"
#include "records/ability/AbilityList.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kRowColor = 0xFFC0C0C0;
constexpr u32 kTitleColor = 0xFFFFFF80;
constexpr u32 kGreyColor = 0xFF080808;
constexpr i32 kCommandFont = 1;
constexpr i32 kEnergyEnd = 25;
constexpr i32 kApEnd = 28;
constexpr float kPanelGap = 32.f;
constexpr const char* kCostTitle = "                      EN AP";

void appendCost(String& out, i32 cost, i32 end) {
  if (cost != 0) {
    String field;
    field.assignNumber(cost, 2, false);
    out.append(field.c_str());
  }
  out.padRight(end);
}

}  // namespace

void ArtsPanel::reset() {
  mUnit = nullptr;
  mActive = false;
  mAbilities.clear();
  mList.reset();
  mList.setSideKeys(0);
}

void ArtsPanel::rowText(String& out, const Ability& ability) const {
  ability.shortCaption(out, kCaptionCharacters);
  out.padRight(kCaptionColumns);
  if (mMode != kWithCosts) {
    return;
  }
  appendCost(out, mUnit ? mUnit->energyCost(ability) : ability.energy(), kEnergyEnd);
  appendCost(out, mUnit ? mUnit->apTier(ability) : ability.cost(), kApEnd);
}

bool ArtsPanel::addArt(const Ability& ability, u32 argb) {
  mAbilities.push_back(ability);
  if (!ability.isValid() || !ability.levelRecord().isVisible()) {
    return false;
  }
  String text;
  rowText(text, ability);
  mList.addItem(text.c_str(), abilityCount() - 1, argb, mFont);
  return true;
}

void ArtsPanel::addItem(const char* text, i32 id, u32 argb) { mList.addItem(text, id, argb, kCommandFont); }

void ArtsPanel::fill(const AbilityList& abilities) {
  mList.clear();
  mList.clearChosen();
  mAbilities.clear();
  bool added = false;
  for (i32 i = 0; i < abilities.count(); ++i) {
    const Ability& ability = abilities.at(i);
    u32 argb = ability.isValid() ? ability.menuColor() : kRowColor;
    if (mUnit && !mUnit->canUse(ability, true)) {
      argb = kGreyColor;
    }
    added = addArt(ability, argb) || added;
  }
  if (mLimitRows) {
    mList.setVisibleRows(kVisibleRows);
  }
  if (!added) {
    mList.addText("no ability", kGreyColor, mFont);
  }
}

void ArtsPanel::build(const AbilityList& abilities, const Unit* unit, Mode mode, i32 cursorId) {
  reset();
  mUnit = unit;
  mMode = mode;
  if (mode == kWithCosts) {
    mList.setTitle(kCostTitle, mFont, kTitleColor);
    mList.setMaxChoices(2);
    mList.setSideKeys(2);
  }
  fill(abilities);
  mList.setCursorById(cursorId);
}

void ArtsPanel::buildWithCosts(const AbilityList& abilities) {
  mFont = 0;
  mLimitRows = false;
  build(abilities, nullptr, kWithCosts, 0);
}

void ArtsPanel::buildCommands(bool canAct, bool defend, bool fleeShown, bool fleeAllowed) {
  reset();
  if (canAct) {
    mList.addItem("コマンド", kCommandId, kRowColor, kCommandFont);
  } else {
    mList.addText("コマンド", kGreyColor, kCommandFont);
  }
  addArt(Ability::fromName(defend ? "身を守る" : "何もしない"), kRowColor);
  if (!fleeShown) {
    return;
  }
  if (fleeAllowed) {
    addArt(Ability::fromName("逃げる"), kRowColor);
  } else {
    mList.addText("逃げる", kGreyColor, kCommandFont);
  }
}

void ArtsPanel::selection(i32& first, i32& second) const {
  first = mList.selectedId(0);
  second = mList.selectedId(1);
}

bool ArtsPanel::hasArtSelected() const {
  const i32 id = mList.selectedId(0);
  return mList.hasCursor() && id >= 0 && id < kCommandId && id < abilityCount();
}

const Ability& ArtsPanel::selectedAbility() const { return ability(mList.selectedId(0)); }

i32 ArtsPanel::update() {
  mActive = true;
  return mList.update();
}

void ArtsPanel::draw() {
  mList.draw(mActive);
  if (mActive && !mAbilities.empty() && hasArtSelected()) {
    selectedAbility().drawHelp(mList.columnX(0.f), mList.rowY(1.f) - kPanelGap, 0);
  }
  mActive = false;
}

}  // namespace Game
