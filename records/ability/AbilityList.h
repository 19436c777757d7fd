#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "records/ability/Ability.h"

namespace Game {

class AttackBlock;
class DefenseBlock;
class GhostLevel;
class NmlNode;
class Parameters;
class SpellMemory;
class Unit;

// The abilities of a character, an item, an enemy action or a battle unit,
// in order. Lookups by art go by the art record; lookups by name by the
// art's full name.
class AbilityList {
 public:
  Engine::i32 count() const { return static_cast<Engine::i32>(mEntries.size()); }
  bool isEmpty() const { return mEntries.empty(); }
  Ability& at(Engine::i32 i) { return mEntries[static_cast<std::size_t>(i)]; }
  const Ability& at(Engine::i32 i) const { return mEntries[static_cast<std::size_t>(i)]; }
  void clear() { mEntries.clear(); }
  void add(const Ability& ability) { mEntries.push_back(ability); }
  void appendFrom(const AbilityList& list);
  // A fresh level-1 ability per art.
  void appendDefinitions(const std::vector<const AbilityData*>& arts);

  // Replaces the entry of the same art (its highest when there are several);
  // else appends a copy.
  void learn(const Ability& ability);
  // Adds a copy unless the art is already held at the same or a higher level.
  void addIfHigher(const Ability& ability);
  // The entry of that art with the highest level (the first of equals).
  const Ability* highestOf(const AbilityData* art) const;

  // Whether an entry of the art of that name has a non-zero level.
  bool has(const char* name) const;
  // The levels of the entries of that art added up.
  Engine::i32 levelOfNamed(const char* name) const;
  // The level of the highest entry of that art; 0 when there is none.
  Engine::i32 firstLevelOf(const char* name) const;

  void bind(const SpellMemory& battle);
  void scaleToGhost(const GhostLevel& ghost);
  // Drops the entries whose condition fails for the unit.
  void filterUsable(const Unit& unit);
  // Drops the entries whose art is not shown.
  void dropHidden();

  // The passive status and defence blocks of every entry added up.
  Parameters passiveParameters() const;
  void passiveDefense(DefenseBlock& out) const;
  void applyPassives(Parameters& parameters, DefenseBlock& defense) const;

  // Cleared; one ability per child "arts".
  void load(const NmlNode& node);
  // One child "arts" per entry.
  void save(NmlNode& node) const;

 private:
  Ability* highestEntry(const AbilityData* art);
  const Ability* highestNamed(const char* name) const;

  std::vector<Ability> mEntries;
};

}  // namespace Game
