#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/ability/AbilityList.h"
#include "live/party/FieldAbilities.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"

namespace Game {

class NmlNode;
class ShellData;
class ToolData;

// Every character the player has recruited (the roster, in recruiting
// order) and the members who travel, with the field abilities the living
// members bring.
class Party {
 public:
  // The character whose experience new recruits start with.
  static constexpr const char* kLeadName = "Kessa";

  PartyMembers& members() { return mMembers; }
  const PartyMembers& members() const { return mMembers; }
  Engine::i32 rosterCount() const { return static_cast<Engine::i32>(mRoster.size()); }
  PlayerGhost& rosterAt(Engine::i32 i) const { return *mRoster[static_cast<std::size_t>(i)]; }
  const FieldAbilities& fieldAbilities() const { return mFieldAbilities; }

  PlayerGhost* leadMember() const { return mMembers.findNamed(kLeadName); }
  Engine::i32 leadExperience() const;
  PlayerGhost* findGhost(const ShellData* shell) const;
  bool hasGhostOf(const ShellData* shell) const { return findGhost(shell) != nullptr; }
  PlayerGhost* findGhostByKey(const char* key) const;
  // The roster's ghost of the shell, or a new one at the lead's experience.
  PlayerGhost& addGhost(const ShellData& shell);
  // addGhost, then a place among the members; null when they are full.
  PartyMembers::Entry* recruit(const ShellData& shell);

  // max(1, s² / 10) for s the members' levels added up.
  Engine::i32 continuePenalty() const;
  void addApAll(Engine::i32 n);
  void addLpAll(Engine::i32 n);
  void collectFieldAbilities();
  // Members freed; every roster ghost starts its next cycle.
  void startNewCycle();
  // Members freed, roster emptied.
  void clear();
  void reset() { clear(); }

  // Items held in the members' (or the whole roster's) equipment.
  Engine::i32 countEquipped(const ToolData* item) const { return mMembers.countEquipped(item); }
  Engine::i32 countEquippedAll(const ToolData* item) const;
  bool isEquipped(const ToolData* item) const { return mMembers.isEquipped(item); }
  bool unequipItem(const ToolData* item) { return mMembers.unequipItem(item); }
  bool isActiveMember(const char* name) const { return mMembers.findNamed(name) != nullptr; }
  Engine::i32 activeCount() const { return mMembers.count(); }

  // The "party" node: a "member" line per member (shell key, row, column),
  // then a "ghost" child per roster ghost. load trusts a node that passed
  // the save check, yet skips a member naming no ghost.
  void save(NmlNode& node) const;
  void load(const NmlNode& node);

 private:
  std::vector<std::unique_ptr<PlayerGhost>> mRoster;
  FieldAbilities mFieldAbilities;
  PartyMembers mMembers;
};

}  // namespace Game
