#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;
class ToolData;

// Stand-in of the player's party until units exist: no members; counts what
// the game scene asks of it.
class Party {
 public:
  // Nothing to write or read yet.
  void save(NmlNode&) const {}
  void load(const NmlNode&) {}
  void reset() { ++mResets; }

  void collectFieldAbilities() { ++mAbilityCollections; }
  void addLpAll(Engine::i32 n) { mLpAdded += n; }
  void addApAll(Engine::i32 n) { mApAdded += n; }

  // No members and no items yet.
  bool isActiveMember(const char*) const { return false; }
  Engine::i32 activeCount() const { return 0; }
  Engine::i32 countTool(const char*) const { return 0; }
  Engine::i32 countToolInRoster(const char*) const { return 0; }
  // Without members nothing is equipped.
  Engine::i32 countEquipped(const ToolData*) const { return 0; }
  bool isEquipped(const ToolData*) const { return false; }
  // Takes one of the item from a member's equipment; false when none has it.
  bool expendEquipped(const ToolData*) { return false; }

  Engine::i32 abilityCollections() const { return mAbilityCollections; }
  Engine::i32 lpAdded() const { return mLpAdded; }
  Engine::i32 apAdded() const { return mApAdded; }
  Engine::i32 resets() const { return mResets; }

 private:
  Engine::i32 mAbilityCollections = 0;
  Engine::i32 mLpAdded = 0;
  Engine::i32 mApAdded = 0;
  Engine::i32 mResets = 0;
};

}  // namespace Game
