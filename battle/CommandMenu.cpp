// A party unit's command menu: the main list, the panels of arts, the items
// it can throw, the warnings.

#include "battle/CommandMenu.h"

#include <algorithm>
#include <cstring>

#include "battle/Battle.h"
#include "battle/CommandPhase.h"
#include "running/game/GameData.h"
#include "core/input/KeyInput.h"
#include "live/Bag.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"
#include "live/unit/PlayerGhost.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kRunning = 0;
constexpr i32 kDecided = 1;
constexpr i32 kCancelled = 2;

}  // namespace

CommandMenu::CommandMenu(BattleStuff::Command& phase, Battle& battle, Unit& unit)
    : mPhase(phase), mBattle(battle), mUnit(unit) {
  buildPanels();
  buildMainList();
}

CommandMenu::~CommandMenu() = default;

// The arts of the slot a turn can use: passives work on their own.
void CommandMenu::collectArts(AbilityList& out, i32 slot) const {
  const auto* ghost = dynamic_cast<const PlayerGhost*>(&mUnit.ghost());
  if (!ghost) {
    return;
  }
  AbilityList offered;
  ghost->abilitiesForSlot(offered, slot, &mBattle);
  for (i32 i = 0; i < offered.count(); ++i) {
    if (offered.at(i).isValid() && !offered.at(i).isPassive()) {
      out.add(offered.at(i));
    }
  }
}

// Weapon panels show while their slot holds a weapon; the others only with
// arts. The remembered panel keeps its remembered row.
void CommandMenu::buildPanels() {
  const i32 remembered = mUnit.ghost().getLastCommand();
  for (i32 i = 0; i < kPanels; ++i) {
    AbilityList arts;
    collectArts(arts, i);
    const bool armed = i < kWeaponPanels && mUnit.ghost().getEquipment(i) != nullptr;
    mPanelShown[static_cast<std::size_t>(i)] = armed || arts.count() > 0;
    ArtsPanel& shown = panel(i);
    shown.build(arts, &mUnit, ArtsPanel::kWithCosts, i == remembered ? mUnit.lastCommandRow() : 0);
    // One art a turn, and the side keys turn the panels.
    shown.list().setMaxChoices(1);
    shown.list().setSideKeys(0);
    shown.placeCentered(kListX, kListY);
  }
  mPanelIndex = hasPanel(remembered) ? remembered : 0;
}

void CommandMenu::buildMainList() {
  const bool anyPanel = std::any_of(mPanelShown.begin(), mPanelShown.end(), [](bool shown) { return shown; });
  const AbilityList& abilities = mUnit.abilities();
  const bool escapeAllowed = mBattle.isEscapeAllowed() && !mUnit.isBattleGhost();
  mMain.buildCommands(anyPanel, abilities.has(kGuardSkill), abilities.has(kEscapeSkill), escapeAllowed);
  mMain.placeCentered(kListX, kListY);
}

i32 CommandMenu::update() {
  ++mFrame;
  if (!mWarnings.isEmpty()) {
    MenuStack::update(mWarnings);
    return kRunning;
  }
  if (mTargetMenu) {
    return updateTargetMenu();
  }
  showScene();
  if (mItemMenu) {
    updateItemMenu();
  } else if (mPanelMode) {
    updatePanelMode();
  } else {
    return updateMainList();
  }
  return kRunning;
}

i32 CommandMenu::updateTargetMenu() {
  const i32 result = mTargetMenu->update(mPhase.pendingCost());
  const Unit* target = mTargetMenu->highlighted();
  if (result == kDecided && target) {
    mTarget = target->place();
    mTargetMenu.reset();
    return kDecided;
  }
  if (result == kCancelled) {
    mTargetMenu.reset();
  }
  return kRunning;
}

void CommandMenu::showScene() {
  mUnit.centerCamera();
  mBattle.highlight(mUnit);
  mBattle.lineUpParty(&mUnit, mPhase.pendingCost());
  mBattle.showSynchroPanel();
}

// A thrown item is the plan's own copy; an item without a battle art is
// refused as an unusable art is.
void CommandMenu::updateItemMenu() {
  mItemMenu->drawWithDetail(true);
  const i32 result = mItemMenu->update();
  if (result == kCancelled) {
    mItemMenu.reset();
    mTarget = Place{-1, -1, -1};
    return;
  }
  if (result != kDecided) {
    return;
  }
  const i32 index = mItemMenu->selectedIndex();
  const Bag::Entry* entry = mBattle.game().bag().at(index);
  if (!entry || entry->article.isEmpty() || entry->article.item()->throwArt().count() == 0) {
    return;
  }
  Ability thrown = entry->article.item()->throwArt().at(0);
  thrown.scaleToGhost(mUnit.ghost());
  if (!mUnit.canUse(thrown, false)) {
    return;
  }
  mArt = thrown;
  mChosen = Ability::fromName(kThrowArt);
  mItem = entry->article;
  mItemMenu.reset();
  openTargetMenu();
}

void CommandMenu::updatePanelMode() {
  if (KeyInput::isRepeated(kNextPanelKey, kPanelKeyRate)) {
    turnPanel(1);
  } else if (KeyInput::isRepeated(kPreviousPanelKey, kPanelKeyRate)) {
    turnPanel(-1);
  } else if (!hasPanel(mPanelIndex)) {
    turnPanel(1);
  }
  ArtsPanel& shown = panel(mPanelIndex);
  const i32 result = shown.update();
  drawEquipment();
  shown.draw();
  if (result == kCancelled) {
    mPanelMode = false;
    return;
  }
  if (result != kDecided || !shown.hasArtSelected()) {
    return;
  }
  const Ability art = shown.selectedAbility();
  if (!choose(art)) {
    return;
  }
  mWeaponSlot = mPanelIndex < kEquipmentPanels ? mPanelIndex : -1;
  warnAfterChoice(art);
  mUnit.ghost().setLastCommand(mPanelIndex);
  mUnit.setLastCommandRow(shown.selectedId());
}

// To the next panel that exists, round the nine.
void CommandMenu::turnPanel(i32 step) {
  for (i32 i = 1; i <= kPanels; ++i) {
    const i32 next = ((mPanelIndex + step * i) % kPanels + kPanels) % kPanels;
    if (hasPanel(next)) {
      mPanelIndex = next;
      return;
    }
  }
}

i32 CommandMenu::updateMainList() {
  const i32 result = mMain.update();
  mMain.draw();
  if (result == kCancelled) {
    return kCancelled;
  }
  if (result != kDecided) {
    return kRunning;
  }
  if (mMain.selectedId() == ArtsPanel::kCommandId) {
    // Shown from this frame, so that its input delay starts now.
    mPanelMode = true;
    panel(mPanelIndex).draw();
  } else if (mMain.hasArtSelected()) {
    choose(mMain.selectedAbility());
  }
  return kRunning;
}

bool CommandMenu::choose(const Ability& art) {
  if (!art.isValid() || art.isPassive() || !mUnit.canUse(art, false)) {
    return false;
  }
  mWeaponSlot = -1;
  mItem.clear();
  if (std::strcmp(art.name(), kThrowArt) == 0) {
    mItemMenu = std::make_unique<ItemMenu>();
    mItemMenu->build(mBattle.game().bag(), ItemMenu::kThrow, nullptr, ItemMenu::kAllCategories);
    mItemMenu->placeCentered(kLowerX, kLowerY);
    mItemMenu->drawWithDetail(true);
    return true;
  }
  mArt = art;
  mChosen = art;
  openTargetMenu();
  return true;
}

// Shown from this frame, so that its input delay starts now.
void CommandMenu::openTargetMenu() {
  mTargetMenu = std::make_unique<TargetMenu>(mBattle, mUnit, mArt);
  mTargetMenu->list().draw(true);
}

// An art the unit cannot pay may still be chosen; the player is told.
void CommandMenu::warnAfterChoice(const Ability& art) {
  const i32 cost = mUnit.energyCost(art);
  if (!mUnit.canPay(art, true)) {
    ListMenu::pushMessage(mWarnings, kUnpayableWarning);
  } else if (cost > 0 && mBattle.side(0).pool() < mPhase.pendingCost() + cost) {
    ListMenu::pushMessage(mWarnings, kPartyCostWarning);
  }
  const Article* equipment = mUnit.ghost().getEquipment(mPanelIndex);
  if (!equipment) {
    return;
  }
  if (equipment->isLastUse()) {
    ListMenu::pushMessage(mWarnings, kBreakAlarm);
  } else if (equipment->isUsedUp()) {
    ListMenu::pushMessage(mWarnings, kBrokenAlarm);
  }
}

void CommandMenu::drawEquipment() const {
  if (const Article* equipment = mUnit.ghost().getEquipment(mPanelIndex)) {
    equipment->drawName(kLowerX, kLowerY);
  }
}

void CommandMenu::showList() {
  if (mPanelMode) {
    panel(mPanelIndex).draw();
  } else {
    mMain.draw();
  }
}

void CommandMenu::reset() {
  mTargetMenu.reset();
  mItemMenu.reset();
  mTarget = Place{-1, -1, -1};
}

i32 CommandMenu::pendingCost() const {
  if (mTargetMenu || !mArt.isValid()) {
    return 0;
  }
  return mUnit.energyCost(mArt);
}

void CommandMenu::plan() const {
  const Article* item = mItem.isEmpty() ? nullptr : &mItem;
  mUnit.planAction(mWeaponSlot, mArt, mChosen, mTarget, item, BattleStuff::Command::kPays);
}

}  // namespace Game
