#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "records/stats/Flags.h"

namespace Game {

class NmlNode;
class StateTable;
struct Performance;

// What protects a unit: a defence per damage type, a factor per element
// (1.0 normal, below 1 resists, 0 immune, above 1 weak) and the states it
// cannot receive.
class DefenseBlock {
 public:
  static constexpr Engine::i32 kTypeCount = Constance::kAttributeCount;

  // Type defences 0, factors 1.0, no resistance.
  void clear();
  // Clears, then: child "element" gives the type defences by damage-type
  // name; child "factor" turns a percentage per element name into the factor
  // 1 − value / 100; line "resist" names the states (Database's table
  // unless one is given).
  void read(const NmlNode& node);
  void read(const NmlNode& node, const StateTable& states);
  // Type defences added, factors multiplied, resistances joined.
  void add(const DefenseBlock& other);
  // A protector's defense guards against the three weapon types (斬撃 打撃
  // 射撃), its magic defense against the other six.
  void addProtector(const Performance& performance);

  Engine::i32 typeDefense(Engine::i32 type) const { return mTypeDefense[static_cast<std::size_t>(type)]; }
  void setTypeDefense(Engine::i32 type, Engine::i32 v) { mTypeDefense[static_cast<std::size_t>(type)] = v; }
  FactorBlock& factors() { return mFactors; }
  const FactorBlock& factors() const { return mFactors; }
  StateFlags& resist() { return mResist; }
  const StateFlags& resist() const { return mResist; }

 private:
  std::array<Engine::i32, kTypeCount> mTypeDefense{};
  FactorBlock mFactors;
  StateFlags mResist;
};

}  // namespace Game
