#include "records/stats/AttackBlock.h"

#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;

void AttackSpec::read(const NmlNode& node) {
  *this = AttackSpec{};
  if (const NmlAttribute* name = node.findAttribute("name")) {
    stateName.assign(name->toString(0));
  }
  if (node.countChildren("level") > 0) {
    level = 0;
    amount.emplace().read(*node.findChild("level"));
  } else if (const NmlAttribute* line = node.findAttribute("level")) {
    level = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("accuracy")) {
    accuracy = line->toInt(0);
  }
  if (const NmlAttribute* line = node.findAttribute("checkResist")) {
    checkResist = line->toBool(0);
  }
}

void AttackBlock::clear() {
  mElements.clear();
  mTypes.clear();
  mAdditions.clear();
  mRecoils.clear();
}

void AttackBlock::read(const NmlNode& node) {
  clear();
  if (const NmlAttribute* line = node.findAttribute("element")) {
    mTypes.read(*line);
  }
  if (const NmlAttribute* line = node.findAttribute("factor")) {
    mElements.read(*line);
  }
  for (i32 i = 0; i < node.countChildren("addition"); ++i) {
    mAdditions.emplace_back().read(*node.findChild("addition", i));
  }
  for (i32 i = 0; i < node.countChildren("recoil"); ++i) {
    mRecoils.emplace_back().read(*node.findChild("recoil", i));
  }
}

void AttackBlock::merge(const AttackBlock& other, bool withAdditions) {
  if (&other == this) {
    // Appending a vector to itself from its own range is undefined.
    const AttackBlock copy(other);
    merge(copy, withAdditions);
    return;
  }
  mElements.merge(other.mElements);
  mTypes.merge(other.mTypes);
  if (withAdditions) {
    mAdditions.insert(mAdditions.end(), other.mAdditions.begin(), other.mAdditions.end());
  }
  mRecoils.insert(mRecoils.end(), other.mRecoils.begin(), other.mRecoils.end());
}

}  // namespace Game
