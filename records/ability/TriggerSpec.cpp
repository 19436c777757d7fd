#include "records/ability/TriggerSpec.h"

#include "records/stats/AttackBlock.h"
#include "core/file/nml/NmlNode.h"
#include "records/constance/Keywords.h"

namespace Game {

using Engine::i32;

void TriggerSpec::read(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("type")) {
    mKind = Keyword::trigger(line->item(0));
  }
  if (const NmlAttribute* line = node.findAttribute("accuracy")) {
    mAccuracy = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("parry")) {
    mParry = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("element")) {
    mElement.read(*line);
    mHasElement = true;
  }
  if (const NmlAttribute* line = node.findAttribute("target")) {
    mTarget.read(*line);
    mHasTarget = true;
  }
  if (const NmlAttribute* line = node.findAttribute("followUnit")) {
    mFollowUnit = line->toBool(0);
  }
}

TriggerSpec TriggerSpec::over(const TriggerSpec& fallback) const {
  TriggerSpec out = *this;
  if (!out.mKind) {
    out.mKind = fallback.mKind;
  }
  if (!out.mAccuracy) {
    out.mAccuracy = fallback.mAccuracy;
  }
  if (!out.mParry) {
    out.mParry = fallback.mParry;
  }
  if (!out.mFollowUnit) {
    out.mFollowUnit = fallback.mFollowUnit;
  }
  if (!out.mHasElement) {
    out.mHasElement = fallback.mHasElement;
    out.mElement = fallback.mElement;
  }
  if (!out.mHasTarget) {
    out.mHasTarget = fallback.mHasTarget;
    out.mTarget = fallback.mTarget;
  }
  return out;
}

bool TriggerSpec::matches(const AttackBlock& attack) const {
  if (!mElement.any() && !mTarget.any()) {
    return true;
  }
  for (i32 i = 0; i < ElementFlags::kCount; ++i) {
    if (mTarget.isSet(i) && attack.elements().isSet(i)) {
      return true;
    }
  }
  for (i32 i = 0; i < TypeFlags::kCount; ++i) {
    if (mElement.isSet(i) && attack.types().isSet(i)) {
      return true;
    }
  }
  return false;
}

}  // namespace Game
