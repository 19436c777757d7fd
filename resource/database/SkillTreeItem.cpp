#include "resource/database/SkillTreeItem.h"

#include "data/ability/AbilityList.h"
#include "file/nml/NmlNode.h"
#include "resource/database/RecordReading.h"
#include "script/expression/Expression.h"

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

}  // namespace Game
