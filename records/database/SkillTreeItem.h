#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/ability/Ability.h"

namespace Game {

class AbilityList;
class Expression;
class NmlNode;
class Unit;

// One item of a skill tree: the art it teaches for its cost, the arts that
// must be known first and an optional condition.
class SkillTreeItem {
 public:
  // "cost" and child "arts" are required; "base" children; "expression".
  void read(const NmlNode& node);

  Engine::i32 cost() const { return mCost; }
  const Ability& art() const { return mArt; }
  const std::vector<Ability>& prerequisites() const { return mBase; }
  // Null when the item has no condition.
  const Expression* condition() const { return mCondition.get(); }
  // The cost, plus 1 when a leveled art is learned at level 2 or more and at
  // its highest level.
  Engine::i32 effectiveCost(const AbilityList& learned) const;

 private:
  Engine::i32 mCost = 0;
  Ability mArt;
  std::vector<Ability> mBase;
  std::shared_ptr<const Expression> mCondition;
};

// The items of a skill tree in file order: "item" children of a node.
using SkillTree = std::vector<SkillTreeItem>;
void readSkillTree(const NmlNode& node, SkillTree& out);
// Appends, in tree order, the items a unit can learn now, learned being its
// ghost's arts: the item's art not yet known at the item's level, every
// prerequisite known at its level, and the condition (when there is one) true
// for the unit.
void collectCandidates(const SkillTree& tree, std::vector<const SkillTreeItem*>& out, const AbilityList& learned,
                       const Unit& unit);

}  // namespace Game
