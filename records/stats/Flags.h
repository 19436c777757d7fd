#pragma once

#include <array>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/constance/Constance.h"

namespace Game {

class NmlAttribute;
class StateTable;

// A fixed set of yes/no marks, one byte each as the blocks keep them.
template <Engine::i32 N>
class FlagSet {
 public:
  static constexpr Engine::i32 kCount = N;

  void clear() { mFlags.fill(0); }
  void setAll() { mFlags.fill(1); }
  void set(Engine::i32 i, bool on = true) { mFlags[static_cast<std::size_t>(i)] = on ? 1 : 0; }
  bool isSet(Engine::i32 i) const { return i >= 0 && i < N && mFlags[static_cast<std::size_t>(i)] != 0; }
  bool any() const {
    for (Engine::u8 flag : mFlags) {
      if (flag) {
        return true;
      }
    }
    return false;
  }
  void merge(const FlagSet& other) {
    for (std::size_t i = 0; i < mFlags.size(); ++i) {
      mFlags[i] = static_cast<Engine::u8>(mFlags[i] | other.mFlags[i]);
    }
  }
  bool operator==(const FlagSet& other) const = default;

 private:
  std::array<Engine::u8, static_cast<std::size_t>(N)> mFlags{};
};

// The 23 ability flags of an attack (符 物 射 術 ...).
class ElementFlags : public FlagSet<Constance::kAbilityFlagCount> {
 public:
  // Clears, then sets the flag of every ability-flag name of the line. The
  // item "全" clears every flag, those of earlier items too.
  void read(const NmlAttribute& line);
};

// The 9 damage types (斬撃 打撃 射撃 衝撃 熱 冷 天 地 光).
class TypeFlags : public FlagSet<Constance::kAttributeCount> {
 public:
  // Clears, then sets the flag of every damage-type name of the line.
  void read(const NmlAttribute& line);
};

// The 4 skill categories (体術 武器 射撃 魔法).
class ArtsSystem : public FlagSet<Constance::kCategoryCount> {
 public:
  // Clears, then sets every category named; "全" sets all four.
  void read(const NmlAttribute& line);
};

// One mark per state of the state table, by state index. Sized by the
// table it was read against; a state past the end is not set.
class StateFlags {
 public:
  void clear() { mFlags.clear(); }
  void set(Engine::i32 i, bool on = true);
  bool isSet(Engine::i32 i) const {
    return i >= 0 && static_cast<std::size_t>(i) < mFlags.size() && mFlags[static_cast<std::size_t>(i)] != 0;
  }
  bool any() const;
  void merge(const StateFlags& other);
  // Clears, then sets each state named. "全" sets every state marked
  // critical; "!" does the same and turns every later name into a clear.
  // An unknown state name stops the program naming it.
  void read(const NmlAttribute& line, const StateTable& states);

 private:
  std::vector<Engine::u8> mFlags;
};

// One float per ability flag.
class FactorBlock {
 public:
  FactorBlock() { reset(); }
  // Every factor 1.0.
  void reset() { mFactors.fill(1.f); }
  float& operator[](Engine::i32 i) { return mFactors[static_cast<std::size_t>(i)]; }
  float operator[](Engine::i32 i) const { return mFactors[static_cast<std::size_t>(i)]; }
  // The product of the factors whose flag is set; 1.0 when none is.
  float product(const ElementFlags& flags) const;
  void multiply(const FactorBlock& other);

 private:
  std::array<float, Constance::kAbilityFlagCount> mFactors{};
};

}  // namespace Game
