#include "records/database/SkillTreeItem.h"

#include "records/ability/AbilityList.h"
#include "core/file/nml/NmlNode.h"
#include "records/table/RecordReading.h"
#include "records/expression/Expression.h"

namespace Game {

using Engine::i32;

void SkillTreeItem::read(const NmlNode& node) {
  mCost = RecordReading::required(node, "cost").toInt(0);
  mArt.load(RecordReading::requiredChild(node, "arts"));
  mBase.clear();
  for (i32 i = 0; i < node.countChildren("base"); ++i) {
    mBase.emplace_back().load(*node.findChild("base", i));
  }
  mCondition = RecordReading::compiled(node, "expression");
}

i32 SkillTreeItem::effectiveCost(const AbilityList& learned) const {
  if (!mArt.canLevelUp()) {
    return mCost;
  }
  const i32 level = learned.firstLevelOf(mArt.art()->fullName());
  return level >= 2 && level == mArt.maxLevel() ? mCost + 1 : mCost;
}

void readSkillTree(const NmlNode& node, SkillTree& out) {
  out.clear();
  for (i32 i = 0; i < node.countChildren("item"); ++i) {
    out.emplace_back().read(*node.findChild("item", i));
  }
}

namespace {

bool isKnown(const AbilityList& learned, const Ability& ability) {
  return ability.isValid() && learned.firstLevelOf(ability.art()->fullName()) >= ability.level();
}

bool canLearn(const SkillTreeItem& item, const AbilityList& learned, const Unit& unit) {
  if (!item.art().isValid() || isKnown(learned, item.art())) {
    return false;
  }
  for (const Ability& base : item.prerequisites()) {
    if (!isKnown(learned, base)) {
      return false;
    }
  }
  return !item.condition() || item.condition()->evaluateForUnit(unit) != 0;
}

}  // namespace

void collectCandidates(const SkillTree& tree, std::vector<const SkillTreeItem*>& out, const AbilityList& learned,
                       const Unit& unit) {
  for (const SkillTreeItem& item : tree) {
    if (canLearn(item, learned, unit)) {
      out.push_back(&item);
    }
  }
}

}  // namespace Game
