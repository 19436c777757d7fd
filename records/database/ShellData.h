#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/ability/AbilityList.h"
#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "records/stats/GrowthTable.h"
#include "records/stats/Parameters.h"
#include "records/database/SkillTreeItem.h"

namespace Game {

class NmlNode;
class StateTable;
class ToolData;

// A playable character's definition: a "shell" node of the shell table.
class ShellData {
 public:
  static constexpr Engine::i32 kGearSlots = 8;
  struct Gear {
    Engine::i32 slot;
    const ToolData* tool;
  };

  // "name", "status" (growth table), "skill" (a skill tree) and "defense"
  // are required. A gear slot outside 0..7 or a tool that is not in the tool
  // table is a data error.
  void read(const NmlNode& node, const StateTable& states);

  const char* name() const { return text(mName); }
  const char* fullName() const { return text(mFullName); }
  // Empty for "none": no face.
  const char* face() const { return text(mFace); }
  // The unit picture's name; empty when there is none.
  const char* model() const { return text(mModel); }
  const AbilityList& arts() const { return mArts; }
  const GrowthTable& growth() const { return mGrowth; }
  const SkillTree& skillTree() const { return mSkillTree; }
  const Performance& performance() const { return mPerformance; }
  const AttackBlock& attack() const { return mAttack; }
  const DefenseBlock& defense() const { return mDefense; }
  const std::vector<Gear>& gear() const { return mGear; }

 private:
  static const char* text(const String& s) { return s.c_str() ? s.c_str() : ""; }

  String mName;
  String mFullName;
  String mFace;
  String mModel;
  AbilityList mArts;
  GrowthTable mGrowth;
  SkillTree mSkillTree;
  Performance mPerformance;
  AttackBlock mAttack;
  DefenseBlock mDefense;
  std::vector<Gear> mGear;
};

}  // namespace Game
