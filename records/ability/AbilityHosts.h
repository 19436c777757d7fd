#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Ability;
class AbilityList;
class Unit;

// What abilities ask of the units and the battle, kept to small interfaces
// that those implement.

// A persistent unit as arts grow with it.
class GhostLevel {
 public:
  virtual ~GhostLevel() = default;
  virtual Engine::i32 level() const = 0;
  // Added to the level factor: enemies of a better ABP use stronger arts.
  virtual float getArtLevelBonus() const = 0;
};

// The battle's memory of the last spell cast, which 想起 recalls.
class SpellMemory {
 public:
  virtual ~SpellMemory() = default;
  // Null when no spell has been cast yet.
  virtual const Ability* lastSpell() const = 0;
};

// A battle unit choosing its arts for a turn from an action tree.
class ArtUser {
 public:
  virtual ~ArtUser() = default;
  // The unit that conditions are evaluated for.
  virtual const Unit& unit() const = 0;
  virtual bool canUse(const Ability& ability) const = 0;
  // Whether the art finds anyone to aim at.
  virtual bool hasTargets(const Ability& ability) const = 0;
  // The turn's candidate arts, and their binding to the battle once chosen.
  virtual AbilityList& candidateArts() = 0;
  virtual void bindCandidateArts() = 0;
};

}  // namespace Game
