#pragma once

#include <optional>
#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"
#include "records/stats/AmountSpec.h"
#include "records/stats/Flags.h"

namespace Game {

class NmlNode;
class Unit;

// A state an attack applies besides its damage ("addition" to the target,
// "recoil" to the attacker): the state's name, a fixed level, optionally an
// amount computed per target on top of it, the chance and whether the
// target's resistance counts.
struct AttackSpec {
  String stateName;
  Engine::i32 level = 1;
  std::optional<AmountSpec> amount;
  Engine::i32 accuracy = 100;
  bool checkResist = true;

  // "name"; "level" as an int, or as a child holding an amount (the fixed
  // level is then 0); "accuracy"; "checkResist".
  void read(const NmlNode& node);
  const char* state() const { return stateName.c_str() ? stateName.c_str() : ""; }
  // The level the state goes on with: the fixed level plus, when the hit
  // lands, the amount computed as a support at range, single target,
  // without flags.
  Engine::i32 amountAgainst(const Unit& attacker, const Unit& target, bool halveTypeDefense,
                            const Place& aimPlace) const;
};

// The attack of an art level, an equipment item or a unit: its elements, its
// damage types and the states it adds.
class AttackBlock {
 public:
  void clear();
  // Clears, then "element" (damage-type names), "factor" (ability-flag
  // names) and one entry per "addition" and "recoil" child, in order.
  void read(const NmlNode& node);
  // Flags joined; the other's recoil entries appended, its additions only
  // with `withAdditions`.
  void merge(const AttackBlock& other, bool withAdditions);

  ElementFlags& elements() { return mElements; }
  const ElementFlags& elements() const { return mElements; }
  TypeFlags& types() { return mTypes; }
  const TypeFlags& types() const { return mTypes; }
  std::vector<AttackSpec>& additions() { return mAdditions; }
  const std::vector<AttackSpec>& additions() const { return mAdditions; }
  std::vector<AttackSpec>& recoils() { return mRecoils; }
  const std::vector<AttackSpec>& recoils() const { return mRecoils; }

 private:
  ElementFlags mElements;
  TypeFlags mTypes;
  std::vector<AttackSpec> mAdditions;
  std::vector<AttackSpec> mRecoils;
};

}  // namespace Game
