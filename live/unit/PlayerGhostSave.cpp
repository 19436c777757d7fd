// The "ghost" save node of a party character.

#include "live/unit/PlayerGhost.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"

namespace Game {

using Engine::i32;

namespace {

void readInt(const NmlNode& node, const char* key, i32& out) {
  if (const NmlAttribute* line = node.findAttribute(key)) {
    out = line->toInt(0);
  }
}

const NmlNode* optionalChild(const NmlNode& node, const char* name, i32 index = 0) {
  return node.countChildren(name) > index ? node.findChild(name, index) : nullptr;
}

}  // namespace

void PlayerGhost::save(NmlNode& node) const {
  node.addAttribute("name", getDefinitionKey());
  node.addInt("experience", mExperience);
  node.addInt("LP", mLp);
  NmlAttribute& ap = *node.addAttribute("AP");
  for (i32 value : mAp) {
    ap.addInt(value);
  }
  for (const Article& article : mEquipment) {
    article.save(*node.addChild("equip"));
  }
  node.addInt("bonusPoint", mBonusPoint);
  mBonus.write(*node.addChild("bonus"));
  node.addInt("masterPoint", mMasterPoint);
  node.addInt("masterExperience", mMasterExperience);
  mAbilities.save(*node.addChild("artsList"));
}

void PlayerGhost::load(const NmlNode& node) {
  resetAll();
  if (const NmlAttribute* name = node.findAttribute("name")) {
    mShell = Database::instance()->findShellExactly(name->toString(0));
  }
  readInt(node, "experience", mExperience);
  readInt(node, "LP", mLp);
  if (const NmlAttribute* ap = node.findAttribute("AP")) {
    for (i32 tier = 0; tier < kApTiers && tier < ap->itemCount(); ++tier) {
      mAp[static_cast<std::size_t>(tier)] = ap->toInt(tier);
    }
  }
  if (const NmlNode* bonus = optionalChild(node, "bonus")) {
    mBonus.read(*bonus);
  }
  readInt(node, "bonusPoint", mBonusPoint);
  for (i32 i = 0; i < kSlots; ++i) {
    slot(i).clear();
    if (const NmlNode* equip = optionalChild(node, "equip", i)) {
      slot(i).load(*equip);
    }
  }
  readInt(node, "masterExperience", mMasterExperience);
  readInt(node, "masterPoint", mMasterPoint);
  if (const NmlNode* arts = optionalChild(node, "artsList")) {
    mAbilities.load(*arts);
  }
  if (mShell) {
    for (i32 i = 0; i < mShell->arts().count(); ++i) {
      mAbilities.addIfHigher(mShell->arts().at(i));
    }
  }
}

}  // namespace Game
