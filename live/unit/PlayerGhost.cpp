#include "live/unit/PlayerGhost.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Experience.h"
#include "records/stats/StatMath.h"
#include "records/database/ShellData.h"
#include "records/database/SkillTreeItem.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr float kHpBoost = 1.2f;
// The skill category an art needs no weapon for (体術).
constexpr i32 kBareHandedCategory = 0;

bool sharesCategory(const ArtsSystem& a, const ArtsSystem& b) {
  for (i32 i = 0; i < ArtsSystem::kCount; ++i) {
    if (a.isSet(i) && b.isSet(i)) {
      return true;
    }
  }
  return false;
}

// Arts without any category are taken as bare-handed ones too: nothing ties
// them to a weapon.
bool isBareHanded(const Ability& ability) {
  const ArtsSystem& system = ability.levelRecord().artsSystem();
  return system.isSet(kBareHandedCategory) || !system.any();
}

}  // namespace

void PlayerGhost::reset() {
  mShell = nullptr;
  mLastCommand = 0;
  mAbilities.clear();
  for (Article& article : mEquipment) {
    article.clear();
  }
  mExperience = 0;
  mMasterExperience = 0;
  mBonusPoint = 0;
  mMasterPoint = kFreshMasterPoint;
  mAp.fill(kFull);
}

void PlayerGhost::setUp(const ShellData& shell, i32 experience) {
  resetAll();
  mShell = &shell;
  mExperience = std::max(experience, 0);
  mMasterExperience = Experience::forMasterLevel(0);
  mBonusPoint = getLevel() - 1;
  mMasterPoint = masterLevel();
  appendInnateArts();
  for (const ShellData::Gear& gear : shell.gear()) {
    if (gear.slot >= 0 && gear.slot < kSlots && gear.tool) {
      slot(gear.slot) = Article::fromItem(gear.tool);
    }
  }
  restoreFull();
}

void PlayerGhost::appendInnateArts() {
  if (mShell) {
    mAbilities.appendFrom(mShell->arts());
  }
}

i32 PlayerGhost::masterLevel() const { return Experience::masterLevelOf(mMasterExperience); }

void PlayerGhost::gainExperience(std::vector<String>* lines, i32 experience, i32 masterExperience) {
  const i32 levelBefore = getLevel();
  const i32 masterBefore = masterLevel();
  mExperience = std::max(saturatingAdd(mExperience, experience), 0);
  mMasterExperience = std::max(saturatingAdd(mMasterExperience, masterExperience), 0);
  if (getLevel() > levelBefore) {
    mBonusPoint = saturatingAdd(mBonusPoint, getLevel() - levelBefore);
    if (lines) {
      lines->emplace_back("レベルがアップ！");
    }
  }
  if (masterLevel() > masterBefore) {
    mMasterPoint = saturatingAdd(mMasterPoint, masterLevel() - masterBefore);
    if (lines) {
      lines->emplace_back("O.Lv がアップ！");
    }
  }
}

bool PlayerGhost::learnAbility(const SkillTreeItem& item) {
  const i32 cost = item.effectiveCost(mAbilities);
  if (cost > mMasterPoint) {
    return false;
  }
  mMasterPoint -= cost;
  mAbilities.learn(item.art());
  return true;
}

void PlayerGhost::startNewCycle() {
  for (Article& article : mEquipment) {
    if (!article.isEmpty() && article.price() < 1) {
      article.clear();
    }
  }
  mExperience = 0;
  mBonusPoint = 0;
  mBonus.clear();
  mAbilities.clear();
  mMasterPoint = masterLevel();
  appendInnateArts();
}

void PlayerGhost::abilitiesForSlot(AbilityList& out, i32 slotIndex, const SpellMemory* battle) const {
  out.clear();
  if (slotIndex == kNoWeapon) {
    for (i32 i = 0; i < mAbilities.count(); ++i) {
      if (mAbilities.at(i).isValid() && isBareHanded(mAbilities.at(i))) {
        out.add(mAbilities.at(i));
      }
    }
  } else if (holdsItem(slotIndex)) {
    const ToolData& item = *slot(slotIndex).item();
    for (i32 i = 0; i < mAbilities.count(); ++i) {
      const Ability& ability = mAbilities.at(i);
      if (ability.isValid() && sharesCategory(ability.levelRecord().artsSystem(), item.artsSystem())) {
        out.add(ability);
      }
    }
    out.appendFrom(item.arts());
    out.appendFrom(item.passiveArts());
  }
  if (battle) {
    out.bind(*battle);
  }
}

void PlayerGhost::swapEquipment(Article& previous, const Article& article, i32 slotIndex) {
  if (slotIndex < 0 || slotIndex >= kSlots) {
    previous = article;
    return;
  }
  previous = slot(slotIndex);
  slot(slotIndex) = article;
}

i32 PlayerGhost::getLevel() const { return Experience::levelOf(mExperience); }

const char* PlayerGhost::getName() const { return mShell ? mShell->fullName() : ""; }
const char* PlayerGhost::getDefinitionKey() const { return mShell ? mShell->fullName() : ""; }
bool PlayerGhost::isNamed(const char* name) const {
  return name && mShell && (std::strcmp(mShell->fullName(), name) == 0 || std::strcmp(mShell->name(), name) == 0);
}
const char* PlayerGhost::getAppearance() const { return mShell ? mShell->model() : ""; }
const char* PlayerGhost::getFace() const { return mShell ? mShell->face() : ""; }

i32 PlayerGhost::getAp(i32 tier) const { return tier >= 0 && tier < kApTiers ? mAp[static_cast<std::size_t>(tier)] : 0; }

void PlayerGhost::spendAp(i32 tier) {
  if (tier >= 0 && tier < kApTiers && mAp[static_cast<std::size_t>(tier)] > 0) {
    --mAp[static_cast<std::size_t>(tier)];
  }
}

void PlayerGhost::addToAp(i32 tier, i32 n) {
  i32& ap = mAp[static_cast<std::size_t>(tier)];
  ap = saturatingAdd(ap, n);
}

const Article* PlayerGhost::getEquipment(i32 slotIndex) const { return holdsItem(slotIndex) ? &slot(slotIndex) : nullptr; }

void PlayerGhost::clearEquipment(i32 slotIndex) {
  if (holdsItem(slotIndex)) {
    slot(slotIndex).clear();
  }
}

void PlayerGhost::useEquipment(i32 slotIndex) {
  if (holdsItem(slotIndex)) {
    slot(slotIndex).useOne();
  }
}

i32 PlayerGhost::collectBrokenEquipment(std::vector<String>& lines) {
  i32 count = 0;
  for (Article& article : mEquipment) {
    if (!article.isEmpty() && article.isUsedUp()) {
      String line(article.item()->displayName());
      line.append("が壊れた");
      lines.push_back(line);
      article.clear();
      ++count;
    }
  }
  return count;
}

void PlayerGhost::fillAp() { mAp.fill(kFull); }

void PlayerGhost::clampAp(const Parameters& caps) {
  for (i32 tier = 0; tier < kApTiers; ++tier) {
    i32& ap = mAp[static_cast<std::size_t>(tier)];
    ap = std::max(std::min(ap, caps[Parameters::kAp1 + tier]), 0);
  }
}

void PlayerGhost::gatherBaseStats(Parameters& parameters, i32& weapon, AttackBlock& attack,
                                  DefenseBlock& defense) const {
  gatherStatsWith(mBonus, parameters, weapon, attack, defense);
}

void PlayerGhost::gatherBoostedStats(Parameters& parameters, i32& weapon, AttackBlock& attack,
                                     DefenseBlock& defense) const {
  Parameters raised = mBonus;
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    raised[i] = saturatingAdd(raised[i], 1);
  }
  gatherStatsWith(raised, parameters, weapon, attack, defense);
}

void PlayerGhost::gatherStatsWith(const Parameters& bonus, Parameters& parameters, i32& weapon, AttackBlock& attack,
                                  DefenseBlock& defense) const {
  parameters.clear();
  attack.clear();
  defense.clear();
  weapon = 0;
  if (!mShell) {
    return;
  }
  parameters = mShell->growth().evaluate(Experience::levelFactor(getLevel()));
  parameters.add(bonus);
  parameters[Parameters::kHp] = StatMath::truncate(static_cast<double>(parameters[Parameters::kHp] * kHpBoost));
  weapon = mShell->performance().weapon;
  attack = mShell->attack();
  defense = mShell->defense();
  for (i32 type = 0; type < DefenseBlock::kTypeCount; ++type) {
    defense.setTypeDefense(type, 0);
  }
  defense.addProtector(mShell->performance());
}

void PlayerGhost::addEquipmentStats(Parameters& parameters, i32& weapon, AttackBlock& attack, DefenseBlock& defense,
                                    AbilityList& abilities, i32 weaponSlot) const {
  if (holdsItem(weaponSlot)) {
    weapon = saturatingAdd(weapon, slot(weaponSlot).performance().weapon);
    if (weaponSlot < kWeaponSlots) {
      attack.merge(slot(weaponSlot).item()->attack(), true);
      abilities.appendFrom(slot(weaponSlot).item()->arts());
    }
  }
  for (i32 i = kWeaponSlots; i < kSlots; ++i) {
    if (holdsItem(i)) {
      attack.merge(slot(i).item()->attack(), true);
      abilities.appendFrom(slot(i).item()->arts());
    }
  }
  for (i32 i = 0; i < kSlots; ++i) {
    if (!holdsItem(i)) {
      continue;
    }
    const ToolData& item = *slot(i).item();
    parameters.add(item.status());
    defense.add(item.defense());
    defense.addProtector(slot(i).performance());
    abilities.appendFrom(item.passiveArts());
  }
}

}  // namespace Game
