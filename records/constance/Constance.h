#pragma once

#include "Engine/Base/Types.h"

namespace Game {

// The game's fixed vocabulary as the data files write it: damage attributes,
// parameters, the ASCII stat keys, skill categories and ability flags. Names
// are Shift-JIS and compared as whole strings ("列" never matches "列大").
class Constance {
 public:
  static constexpr Engine::i32 kAttributeCount = 9;
  static constexpr Engine::i32 kParameterCount = 12;
  static constexpr Engine::i32 kStatusKeyCount = 10;
  static constexpr Engine::i32 kCategoryCount = 4;
  static constexpr Engine::i32 kAbilityFlagCount = 23;
  // An attack's or a defence's flag block: the ability flags, then the
  // damage attributes.
  static constexpr Engine::i32 kElementFlagCount = kAbilityFlagCount + kAttributeCount;

  static void create();
  static void destroy();
  // Null outside create and destroy.
  static Constance* instance();

  // Name by index; an index outside the table stops the program.
  const char* attributeName(Engine::i32 i) const;
  const char* parameterName(Engine::i32 i) const;
  const char* statusKeyName(Engine::i32 i) const;
  const char* categoryName(Engine::i32 i) const;
  const char* abilityFlagName(Engine::i32 i) const;

  // Index by name, searched in table order; a name that is not in the table
  // is a data error and stops the program naming the word.
  Engine::i32 attributeIndex(const char* name) const;
  Engine::i32 categoryIndex(const char* name) const;
  Engine::i32 abilityFlagIndex(const char* name) const;
  Engine::i32 statusKeyIndex(const char* name) const;

  // The same searches without stopping: -1 when absent.
  static Engine::i32 findAttribute(const char* name);
  static Engine::i32 findParameter(const char* name);
  static Engine::i32 findStatusKey(const char* name);
  static Engine::i32 findCategory(const char* name);
  static Engine::i32 findAbilityFlag(const char* name);

 private:
  Constance() = default;
};

}  // namespace Game
