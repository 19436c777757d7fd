#pragma once

#include <optional>

#include "Engine/Base/Types.h"
#include "records/stats/Flags.h"

namespace Game {

class AttackBlock;
class NmlNode;

// When an art goes off by itself: its kind (常時 0, 通常 1, 反撃 2, 自動反撃 3,
// ファイナルアタック 4, 追撃 5), its chance, its parry, the damage types and
// ability flags of the attacks that set it off, and whether it follows the
// unit. Every part is optional: a part an ability's own trigger lacks comes
// from the art level's trigger, and one that lacks it too from the defaults.
class TriggerSpec {
 public:
  enum Kind : Engine::i32 { kConstant = 0, kPlain = 1, kCounter = 2, kAutoCounter = 3, kFinalAttack = 4, kFollowUp = 5 };
  static constexpr Engine::i32 kDefaultKind = kPlain;
  static constexpr Engine::i32 kDefaultAccuracy = 100;

  // "type" (a trigger word), "accuracy", "parry", "element" (damage types),
  // "target" (ability flags), "followUnit"; absent keys stay unset.
  void read(const NmlNode& node);

  // The parts this spec lacks taken from fallback.
  TriggerSpec over(const TriggerSpec& fallback) const;

  Engine::i32 kind() const { return mKind.value_or(kDefaultKind); }
  Engine::i32 accuracy() const { return mAccuracy.value_or(kDefaultAccuracy); }
  Engine::i32 parry() const { return mParry.value_or(0); }
  bool followsUnit() const { return mFollowUnit.value_or(false); }
  const TypeFlags& element() const { return mElement; }
  const ElementFlags& target() const { return mTarget; }
  void setKind(Engine::i32 kind) { mKind = kind; }
  void setAccuracy(Engine::i32 accuracy) { mAccuracy = accuracy; }

  // Whether an attack sets it off by its flags: they share a flag, or this
  // spec names none.
  bool matches(const AttackBlock& attack) const;

  static bool isSelectable(Engine::i32 kind) { return kind == kPlain || kind == kCounter; }
  static bool isAutoCounter(Engine::i32 kind) { return kind == kAutoCounter || kind == kFinalAttack; }

 private:
  std::optional<Engine::i32> mKind;
  std::optional<Engine::i32> mAccuracy;
  std::optional<Engine::i32> mParry;
  std::optional<bool> mFollowUnit;
  bool mHasElement = false;
  bool mHasTarget = false;
  TypeFlags mElement;
  ElementFlags mTarget;
};

}  // namespace Game
