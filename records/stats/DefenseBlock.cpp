#include "records/stats/DefenseBlock.h"

#include "Engine/Base/Assert.h"
#include "records/stats/Parameters.h"
#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"
#include "records/table/RecordTables.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

// The weapon types that a protector's physical defense covers.
constexpr i32 kPhysicalTypes = 3;

}  // namespace

void DefenseBlock::clear() {
  mTypeDefense.fill(0);
  mFactors.reset();
  mResist.clear();
}

void DefenseBlock::read(const NmlNode& node) {
  const RecordTables* tables = RecordTables::instance();
  ENGINE_ASSERT(tables && "the state table is read before any defence block");
  read(node, tables->states());
}

void DefenseBlock::read(const NmlNode& node, const StateTable& states) {
  clear();
  // Only element and factor lines need the names, so a block without them reads without the constants.
  const auto constants = []() -> const Constance& {
    const Constance* instance = Constance::instance();
    ENGINE_ASSERT(instance && "the constants are created before a defence block names types or flags");
    return *instance;
  };
  if (node.countChildren("element") > 0) {
    const NmlNode& element = *node.findChild("element");
    for (i32 t = 0; t < kTypeCount; ++t) {
      if (const NmlAttribute* line = element.findAttribute(constants().attributeName(t))) {
        mTypeDefense[static_cast<std::size_t>(t)] = line->toInt(0);
      }
    }
  }
  if (node.countChildren("factor") > 0) {
    const NmlNode& factor = *node.findChild("factor");
    for (i32 e = 0; e < Constance::kAbilityFlagCount; ++e) {
      if (const NmlAttribute* line = factor.findAttribute(constants().abilityFlagName(e))) {
        mFactors[e] = static_cast<float>(1.0 - line->toFloat(0) / 100.0);
      }
    }
  }
  if (const NmlAttribute* resist = node.findAttribute("resist")) {
    mResist.read(*resist, states);
  }
}

void DefenseBlock::add(const DefenseBlock& other) {
  for (std::size_t t = 0; t < mTypeDefense.size(); ++t) {
    mTypeDefense[t] = StatMath::saturate(i64{mTypeDefense[t]} + other.mTypeDefense[t]);
  }
  mFactors.multiply(other.mFactors);
  mResist.merge(other.mResist);
}

void DefenseBlock::addProtector(const Performance& performance) {
  for (i32 t = 0; t < kTypeCount; ++t) {
    const i32 add = t < kPhysicalTypes ? performance.defense : performance.magicDefense;
    mTypeDefense[static_cast<std::size_t>(t)] = StatMath::saturate(i64{mTypeDefense[static_cast<std::size_t>(t)]} + add);
  }
}

}  // namespace Game
