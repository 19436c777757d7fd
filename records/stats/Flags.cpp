#include "records/stats/Flags.h"

#include <algorithm>

#include "core/string/StringRef.h"
#include "core/file/nml/NmlAttribute.h"
#include "records/table/StateTable.h"

namespace Game {

using Engine::i32;

namespace {

const Constance& constants() { return *Constance::instance(); }

bool isAll(const char* item) { return StringRef(item) == "全"; }

}  // namespace

void ElementFlags::read(const NmlAttribute& line) {
  clear();
  for (i32 i = 0; i < line.itemCount(); ++i) {
    if (isAll(line.item(i))) {
      clear();
    } else {
      set(constants().abilityFlagIndex(line.item(i)));
    }
  }
}

void TypeFlags::read(const NmlAttribute& line) {
  clear();
  for (i32 i = 0; i < line.itemCount(); ++i) {
    set(constants().attributeIndex(line.item(i)));
  }
}

void ArtsSystem::read(const NmlAttribute& line) {
  clear();
  for (i32 i = 0; i < line.itemCount(); ++i) {
    if (isAll(line.item(i))) {
      setAll();
    } else {
      set(constants().categoryIndex(line.item(i)));
    }
  }
}

void StateFlags::set(i32 i, bool on) {
  if (i < 0) {
    return;
  }
  if (static_cast<std::size_t>(i) >= mFlags.size()) {
    mFlags.resize(static_cast<std::size_t>(i) + 1, 0);
  }
  mFlags[static_cast<std::size_t>(i)] = on ? 1 : 0;
}

bool StateFlags::any() const {
  return std::any_of(mFlags.begin(), mFlags.end(), [](Engine::u8 flag) { return flag != 0; });
}

void StateFlags::merge(const StateFlags& other) {
  mFlags.resize(std::max(mFlags.size(), other.mFlags.size()), 0);
  for (std::size_t i = 0; i < other.mFlags.size(); ++i) {
    mFlags[i] = static_cast<Engine::u8>(mFlags[i] | other.mFlags[i]);
  }
}

void StateFlags::read(const NmlAttribute& line, const StateTable& states) {
  mFlags.assign(static_cast<std::size_t>(states.count()), 0);
  bool setting = true;
  for (i32 i = 0; i < line.itemCount(); ++i) {
    const char* item = line.item(i);
    const bool exclude = StringRef(item) == "!";
    if (exclude || isAll(item)) {
      for (i32 s = 0; s < states.count(); ++s) {
        if (states.at(s)->isCritical()) {
          set(s);
        }
      }
      setting = setting && !exclude;
    } else {
      set(states.indexOf(item), setting);
    }
  }
}

float FactorBlock::product(const ElementFlags& flags) const {
  float p = 1.f;
  for (i32 i = 0; i < Constance::kAbilityFlagCount; ++i) {
    if (flags.isSet(i)) {
      p *= mFactors[static_cast<std::size_t>(i)];
    }
  }
  return p;
}

void FactorBlock::multiply(const FactorBlock& other) {
  for (std::size_t i = 0; i < mFactors.size(); ++i) {
    mFactors[i] *= other.mFactors[i];
  }
}

}  // namespace Game
