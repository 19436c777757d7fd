// The turn's commands: the party's menus, the enemies' choices and the
// commit that sets the cast going.

#include "battle/CommandPhase.h"

#include <cstring>

#include "battle/Battle.h"
#include "battle/CommandMenu.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kCommandDecided = 1;
constexpr i32 kCommandCancelled = 2;
// Enemies use their first weapon.
constexpr i32 kEnemyWeaponSlot = 0;

void placeUnits(Battle& battle) {
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    Unit& unit = *battle.unitAt(i);
    unit.placeAt(unit.row(), unit.column());
  }
}

}  // namespace

bool UnitArtUser::canUse(const Ability& ability) const { return mUnit.canUse(ability, true); }

bool UnitArtUser::hasTargets(const Ability& ability) const {
  Place place;
  return mUnit.chooseTargetPlace(ability, place);
}

void UnitArtUser::bindCandidateArts() {
  mArts.scaleToGhost(mUnit.ghost());
  if (const BattleServices* battle = mUnit.battle()) {
    mArts.bind(*battle);
  }
}

namespace BattleStuff {

// Struck first by the enemies, the party gives no commands this turn.
Command::Command(Battle& battle) : Phase(battle) {
  if (battle.kind() != BattleSettings::kForestalled) {
    for (i32 i = 0; i < battle.unitCount(); ++i) {
      Unit& unit = *battle.unitAt(i);
      if (unit.takesCommands()) {
        mMenus.push_back(std::make_unique<CommandMenu>(*this, battle, unit));
      }
    }
  }
  battle.resetCamera();
}

Command::~Command() = default;

i32 Command::update() {
  if (mIntroFrames > 0) {
    battle().lineUpParty(nullptr, 0);
    --mIntroFrames;
    if (mIntroFrames == kReplaceFrame) {
      placeUnits(battle());
    }
    return 0;
  }
  if (mMenus.empty()) {
    commit();
    return 1;
  }
  return runMenu();
}

// Escape ends the battle at once, whatever the others chose.
i32 Command::runMenu() {
  CommandMenu& running = menu(mCurrent);
  const i32 result = running.update();
  if (result == kCommandDecided) {
    if (running.art().isValid() && std::strcmp(running.art().name(), kEscapeArt) == 0) {
      battle().finish(Battle::kEscape);
      return 1;
    }
    if (++mCurrent < menuCount()) {
      menu(mCurrent).showList();
      return 0;
    }
    commit();
    return 1;
  }
  if (result == kCommandCancelled && mCurrent >= 1) {
    --mCurrent;
    menu(mCurrent).reset();
    menu(mCurrent).showList();
  }
  return 0;
}

i32 Command::pendingCost() const {
  i32 sum = 0;
  for (const std::unique_ptr<CommandMenu>& entry : mMenus) {
    sum = saturatingAdd(sum, entry->pendingCost());
  }
  return sum;
}

void Command::commit() {
  for (const std::unique_ptr<CommandMenu>& entry : mMenus) {
    entry->plan();
  }
  if (battle().kind() != BattleSettings::kForestall) {
    planEnemies();
  }
  battle().refresh();
  battle().pushCast();
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    battle().unitAt(i)->autoAbilities();
  }
  placeUnits(battle());
  battle().resetCamera();
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    Unit& unit = *battle().unitAt(i);
    if (unit.charge() > 0) {
      unit.setCharge(unit.charge() - 1);
    }
  }
}

// Striking first, only a random part of the enemies acts.
void Command::planEnemies() {
  std::vector<Unit*> enemies;
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    Unit* unit = battle().unitAt(i);
    if (unit->side() == 1) {
      enemies.push_back(unit);
    }
  }
  if (battle().kind() == BattleSettings::kForestalled && !enemies.empty()) {
    RandomGenerator& random = *RandomGenerator::instance();
    for (i32 k = random.getInt(static_cast<i32>(enemies.size())); k > 0; --k) {
      enemies.erase(enemies.begin() + random.getInt(static_cast<i32>(enemies.size())));
    }
  }
  for (Unit* enemy : enemies) {
    if (!enemy->decides()) {
      continue;
    }
    UnitArtUser user(*enemy);
    enemy->ghost().collectAbilities(user);
    for (i32 i = 0; i < user.candidateArts().count(); ++i) {
      const Ability& art = user.candidateArts().at(i);
      Place target;
      if (enemy->canPay(art, true) && enemy->chooseTargetPlace(art, target)) {
        enemy->planAction(kEnemyWeaponSlot, art, art, target, nullptr, BattleStuff::Command::kPays);
      }
    }
  }
}

}  // namespace BattleStuff
}  // namespace Game
