#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class NmlNode;

// Stand-in of the player's party until units exist: no members; counts what
// the game scene asks of it.
class Party {
 public:
  // Nothing to write or read yet.
  void save(NmlNode&) const {}
  void load(const NmlNode&) {}
  void reset() {}

  void collectFieldAbilities() { ++mAbilityCollections; }
  void addLpAll(Engine::i32 n) { mLpAdded += n; }
  void addApAll(Engine::i32 n) { mApAdded += n; }

  // No members and no items yet.
  bool isActiveMember(const char*) const { return false; }
  Engine::i32 activeCount() const { return 0; }
  Engine::i32 countTool(const char*) const { return 0; }
  Engine::i32 countToolInRoster(const char*) const { return 0; }

  Engine::i32 abilityCollections() const { return mAbilityCollections; }
  Engine::i32 lpAdded() const { return mLpAdded; }
  Engine::i32 apAdded() const { return mApAdded; }

 private:
  Engine::i32 mAbilityCollections = 0;
  Engine::i32 mLpAdded = 0;
  Engine::i32 mApAdded = 0;
};

}  // namespace Game
