#include "records/table/AbilityData.h"

#include <algorithm>

#include "core/string/StringRef.h"
#include "core/file/nml/NmlNode.h"
#include "records/constance/Keywords.h"
#include "records/table/RecordReading.h"

namespace Game {

using Engine::i32;
using RecordReading::optionalChild;
using RecordReading::readInt;
using RecordReading::readText;

namespace {

constexpr i32 kSpellFlag = 3;  // 術
constexpr i32 kAbilityCardFlag = 0;   // 符

i32 effectKindOf(const char* word) {
  constexpr const char* kWords[] = {"none", "normal", "magic", "spellCard", "caution"};
  for (i32 i = 0; i < 5; ++i) {
    if (StringRef(word) == kWords[i]) {
      return i;
    }
  }
  return AbilityLevel::kNoEffect;
}

}  // namespace

void AbilityLevel::read(const NmlNode& node, const StateTable& states) {
  if (const NmlAttribute* line = node.findAttribute("name")) {
    if (line->itemCount() >= 2) {
      mSecondName.assign(line->toString(0));
      mName.assign(line->toString(1));
    } else {
      mName.assign(line->toString(0));
    }
  }
  if (const NmlAttribute* line = node.findAttribute("fullName")) {
    mFullName.assign(line->toString(0));
    mFullNameSet = true;
  } else if (!mFullNameSet) {
    mFullName.assign(name());
  }
  if (const NmlAttribute* line = node.findAttribute("animationName")) {
    mAnimationName.assign(line->toString(0));
    mAnimationNameSet = true;
  } else if (!mAnimationNameSet) {
    mAnimationName.assign(fullName());
  }
  readText(node, "help", mHelp);
  if (const NmlAttribute* line = node.findAttribute("visible")) {
    mVisible = line->toBool(0);
  }
  if (const NmlNode* child = optionalChild(node, "defense")) {
    mDefense.read(*child, states);
  }
  if (const NmlNode* child = optionalChild(node, "status")) {
    mStatus.read(*child);
  }
  if (node.findAttribute("passive")) {
    mPassive = true;
    mTrigger.setKind(TriggerSpec::kConstant);
    return;
  }
  readActive(node, states);
}

void AbilityLevel::readActive(const NmlNode& node, const StateTable& states) {
  if (const NmlAttribute* line = node.findAttribute("chainName")) {
    mChainName[0].assign(line->toString(0));
    mChainName[1].assign(line->itemCount() > 1 ? line->toString(1) : "");
  }
  if (const NmlAttribute* line = node.findAttribute("chainAccuracy")) {
    mChainAccuracy[0] = line->toFloat(0) / 100.f;
    mChainAccuracy[1] = line->itemCount() > 1 ? line->toFloat(1) / 100.f : 0.f;
  }
  if (const NmlAttribute* line = node.findAttribute("afterText")) {
    mAfterText[0].assign(line->toString(0));
    mAfterText[1].assign(line->itemCount() > 1 ? line->toString(1) : "");
  }
  if (const NmlAttribute* line = node.findAttribute("announce")) {
    mAnnounce = line->toBool(0);
  }
  if (const NmlAttribute* line = node.findAttribute("type")) {
    mType = Keyword::abilityType(line->item(0));
  }
  if (const NmlAttribute* line = node.findAttribute("range")) {
    mRange = Keyword::range(line->item(0));
  }
  if (const NmlAttribute* line = node.findAttribute("area")) {
    mArea = Keyword::area(line->item(0));
  }
  if (const NmlNode* child = optionalChild(node, "power")) {
    mPower.read(*child);
  }
  readInt(node, "cost", mCost);
  readInt(node, "energy", mEnergy);
  readInt(node, "speed", mSpeed);
  readInt(node, "accuracy", mAccuracy);
  readInt(node, "charge", mCharge);
  readInt(node, "recoil", mRecoil);
  if (node.findAttribute("expression")) {
    mExpression = RecordReading::compiled(node, "expression");
  }
  if (node.findAttribute("targetExpression")) {
    mTargetExpression = RecordReading::compiled(node, "targetExpression");
  }
  if (const NmlAttribute* line = node.findAttribute("artsSystem")) {
    mArtsSystem.read(*line);
  }
  if (const NmlAttribute* line = node.findAttribute("summon")) {
    mSummons.clear();
    for (i32 i = 0; i < std::min(line->itemCount(), AbilityData::kMaxSummons); ++i) {
      mSummons.emplace_back(line->item(i));
    }
  }
  if (const NmlNode* child = optionalChild(node, "trigger")) {
    mTrigger.read(*child);
  }
  if (const NmlNode* child = optionalChild(node, "attack")) {
    mAttack.read(*child);
    RecordReading::checkStates(mAttack, states);
    mEffectKind = kNormal;
    if (mAttack.elements().isSet(kSpellFlag)) {
      mEffectKind = kMagic;
    }
    if (mAttack.elements().isSet(kAbilityCardFlag)) {
      mEffectKind = kSpellCard;
    }
  }
  if (const NmlAttribute* line = node.findAttribute("effect")) {
    mEffectKind = effectKindOf(line->item(0));
  }
}

void AbilityData::read(const NmlNode& node, const StateTable& states) {
  mLevels.assign(1, AbilityLevel{});
  if (node.countChildren("base") == 0) {
    mLevels.front().read(node, states);
    return;
  }
  mLevels.front().read(*node.findChild("base"), states);
  const i32 uppers = node.countChildren("upper");
  for (i32 k = 0; k < uppers; ++k) {
    // Record k is record k − 1 with upper k read over it: the same as the
    // base with uppers 1 to k read in order.
    AbilityLevel next = mLevels.back();
    next.read(*node.findChild("upper", k), states);
    mLevels.push_back(std::move(next));
  }
}

const AbilityLevel& AbilityData::level(i32 level) const {
  const i32 index = std::clamp(level - 1, 0, upperCount());
  return mLevels[static_cast<std::size_t>(index)];
}

}  // namespace Game
