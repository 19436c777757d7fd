#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/AbilityList.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/Parameters.h"

namespace Game {

class NmlNode;
class ShellData;
class StateTable;

// A synchro group: characters who, together in the party, share arts,
// parameters and an energy gauge.
class SynchroData {
 public:
  // Members must be shells of the table: an unknown one is a data error.
  void read(const NmlNode& node, const StateTable& states);

  const char* name() const { return text(mName); }
  const char* help() const { return text(mHelp); }
  const std::vector<const ShellData*>& members() const { return mMembers; }
  // How many members must be together; all of them by default.
  Engine::i32 number() const { return mNumber; }
  Engine::i32 energySpeed() const { return mEnergySpeed; }
  Engine::i32 energyCapacity() const { return mEnergyCapacity; }
  const AbilityList& arts() const { return mArts; }
  const Parameters& status() const { return mStatus; }
  const AttackBlock& attack() const { return mAttack; }
  const DefenseBlock& defense() const { return mDefense; }

 private:
  static const char* text(const String& s) { return s.c_str() ? s.c_str() : ""; }

  String mName;
  String mHelp;
  std::vector<const ShellData*> mMembers;
  Engine::i32 mNumber = 0;
  Engine::i32 mEnergySpeed = 0;
  Engine::i32 mEnergyCapacity = 0;
  AbilityList mArts;
  Parameters mStatus;
  AttackBlock mAttack;
  DefenseBlock mDefense;
};

}  // namespace Game
