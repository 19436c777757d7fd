#include "records/ability/AbilityList.h"

#include <algorithm>

#include "core/string/StringRef.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Parameters.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;

namespace {

bool isNamed(const Ability& ability, const char* name) {
  return ability.art() && StringRef(ability.art()->fullName()) == name;
}

}  // namespace

void AbilityList::appendFrom(const AbilityList& list) {
  if (&list == this) {
    const std::vector<Ability> copy = mEntries;
    mEntries.insert(mEntries.end(), copy.begin(), copy.end());
    return;
  }
  mEntries.insert(mEntries.end(), list.mEntries.begin(), list.mEntries.end());
}

void AbilityList::appendDefinitions(const std::vector<const AbilityData*>& arts) {
  for (const AbilityData* art : arts) {
    mEntries.emplace_back(art);
  }
}

Ability* AbilityList::highestEntry(const AbilityData* art) {
  Ability* best = nullptr;
  for (Ability& entry : mEntries) {
    if (entry.art() == art && (!best || entry.level() > best->level())) {
      best = &entry;
    }
  }
  return best;
}

const Ability* AbilityList::highestOf(const AbilityData* art) const {
  return const_cast<AbilityList*>(this)->highestEntry(art);
}

const Ability* AbilityList::highestNamed(const char* name) const {
  const Ability* best = nullptr;
  for (const Ability& entry : mEntries) {
    if (isNamed(entry, name) && (!best || entry.level() > best->level())) {
      best = &entry;
    }
  }
  return best;
}

void AbilityList::learn(const Ability& ability) {
  if (Ability* known = highestEntry(ability.art())) {
    *known = ability;
  } else {
    mEntries.push_back(ability);
  }
}

void AbilityList::addIfHigher(const Ability& ability) {
  const Ability* known = highestOf(ability.art());
  if (!known || known->level() < ability.level()) {
    mEntries.push_back(ability);
  }
}

bool AbilityList::has(const char* name) const {
  return std::any_of(mEntries.begin(), mEntries.end(),
                     [name](const Ability& entry) { return isNamed(entry, name) && entry.level() != 0; });
}

i32 AbilityList::levelOfNamed(const char* name) const {
  i32 sum = 0;
  for (const Ability& entry : mEntries) {
    sum += isNamed(entry, name) ? entry.level() : 0;
  }
  return sum;
}

i32 AbilityList::firstLevelOf(const char* name) const {
  const Ability* best = highestNamed(name);
  return best ? best->level() : 0;
}

void AbilityList::bind(const SpellMemory& battle) {
  for (Ability& entry : mEntries) {
    entry.bind(battle);
  }
}

void AbilityList::scaleToGhost(const GhostLevel& ghost) {
  for (Ability& entry : mEntries) {
    entry.scaleToGhost(ghost);
  }
}

void AbilityList::filterUsable(const Unit& unit) {
  std::erase_if(mEntries, [&unit](const Ability& entry) { return !entry.isValid() || !entry.conditionHolds(unit); });
}

void AbilityList::dropHidden() {
  std::erase_if(mEntries, [](const Ability& entry) { return !entry.isValid() || !entry.levelRecord().isVisible(); });
}

Parameters AbilityList::passiveParameters() const {
  Parameters sum;
  for (const Ability& entry : mEntries) {
    if (entry.isValid()) {
      sum.add(entry.passiveStatus());
    }
  }
  return sum;
}

void AbilityList::passiveDefense(DefenseBlock& out) const {
  out.clear();
  for (const Ability& entry : mEntries) {
    if (entry.isValid()) {
      out.add(entry.passiveDefense());
    }
  }
}

void AbilityList::applyPassives(Parameters& parameters, DefenseBlock& defense) const {
  parameters.add(passiveParameters());
  DefenseBlock passive;
  passiveDefense(passive);
  defense.add(passive);
}

void AbilityList::load(const NmlNode& node) {
  mEntries.clear();
  for (const NmlNode& entry : node.childrenNamed("arts")) {
    mEntries.emplace_back().load(entry);
  }
}

void AbilityList::save(NmlNode& node) const {
  for (const Ability& entry : mEntries) {
    entry.save(*node.addChild("arts"));
  }
}

}  // namespace Game
