#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "records/ability/AbilityHosts.h"

namespace Game {

class Ability;
class AbilityList;
class AttackBlock;
class DefenseBlock;
class Parameters;
class SceneNodePool;
class ToolData;
class Unit;

// How a unit's scene node is shown: standing, lying down, appearing after a
// change of form, or revived (the battle draws its wings of flame).
enum class UnitPose : Engine::i32 { kStand, kDown, kAppear, kRevive };

// What a battle unit asks of the battle it fights in: the units around it,
// the sides' shared resources, the grid and the scene. The battle implements
// it; a unit without a battle asks nothing.
class BattleServices : public SpellMemory {
 public:
  ~BattleServices() override = default;

  // Every unit of the battle in list order, of both sides, living or not.
  virtual Engine::i32 unitCount() const = 0;
  virtual Unit* unitAt(Engine::i32 i) const = 0;

  // The side's shared energy (呪力) and guard mode (0 none, 1 sidestep, 2
  // barrier).
  virtual Engine::i32 energy(Engine::i32 side) const = 0;
  virtual void setEnergy(Engine::i32 side, Engine::i32 energy) = 0;
  virtual Engine::i32 guardMode(Engine::i32 side) const = 0;
  virtual void setGuardMode(Engine::i32 side, Engine::i32 mode) = 0;
  // While time is stopped only some units may act.
  virtual bool isTimeStopped() const = 0;

  // What the formation gives a party unit at its cell, added to parameters.
  virtual void addFormationParameters(const Unit& unit, Parameters& parameters) const = 0;
  // What the battle's active synchro groups add to a party unit's blocks.
  virtual void addSynchroBonus(const Unit& unit, AbilityList& abilities, Parameters& parameters,
                               AttackBlock& attack, DefenseBlock& defense) const = 0;
  // The grid's row test: with the living units of the side marked, the cell
  // is covered more than once.
  virtual bool isStacked(Engine::i32 side, Engine::i32 row, Engine::i32 column) const = 0;
  // Every unit the ability's range reaches from the user's cell.
  virtual void collectReachable(const Unit& user, const Ability& ability, std::vector<Unit*>& out) const = 0;

  // The spoils of a steal go into the bag; lines go to the game's message
  // windows.
  virtual void gainItem(const ToolData& item) = 0;
  virtual void pushMessage(const char* text) = 0;
  // The unit's resistance lines, as analysis shows them.
  virtual void describeResistances(const Unit& unit) = 0;
  // The pool the units' scene nodes live in; null for a battle that shows
  // nothing.
  virtual SceneNodePool* scenePool() = 0;
  // The unit has just shown itself in that pose at its cell: the battle adds
  // its own part (the flash of a change of form, the revival's wings of
  // flame).
  virtual void unitShown(Unit& unit, UnitPose pose) = 0;
  // The camera centred on the unit.
  virtual void centerCamera(const Unit& unit) = 0;
};

}  // namespace Game
