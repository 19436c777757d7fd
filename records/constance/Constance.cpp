#include "records/constance/Constance.h"

#include "Engine/Base/Assert.h"
#include "core/string/StringRef.h"
#include "core/file/DataError.h"

namespace Game {

using Engine::i32;

namespace {

Constance* gInstance = nullptr;

constexpr const char* kAttributes[Constance::kAttributeCount] = {
    "斬撃", "打撃", "射撃", "衝撃", "熱", "冷", "天", "地", "光",
};

constexpr const char* kParameters[Constance::kParameterCount] = {
    "HP", "LP", "AP1", "AP2", "AP3", "腕力", "器用さ", "知力", "敏捷", "体力", "精神", "霊力",
};

constexpr const char* kStatusKeys[Constance::kStatusKeyCount] = {
    "Weapon", "Defense", "MagicDefense", "Attack", "Dexterity", "Magic", "Speed", "Resist", "Charisma", "Psycho",
};

constexpr const char* kCategories[Constance::kCategoryCount] = {"体術", "武器", "射撃", "魔法"};

constexpr const char* kAbilityFlags[Constance::kAbilityFlagCount] = {
    "符",   "物",     "射",       "術",       "接触",     "水",       "対空攻撃", "地上攻撃",
    "音",   "吸収",   "薬",       "精神攻撃", "レーザー", "凝視",     "反射",     "反撃無効",
    "電気", "人間特効", "Hollowkin特効", "神特効", "機械特効", "武器消費", "割合ダメージ",
};

template <i32 N>
i32 find(const char* const (&table)[N], const char* name) {
  const StringRef word(name);
  for (i32 i = 0; i < N; ++i) {
    if (word == table[i]) {
      return i;
    }
  }
  return -1;
}

template <i32 N>
const char* nameAt(const char* const (&table)[N], i32 i) {
  ENGINE_ASSERT(i >= 0 && i < N && "constant table index out of range");
  return table[i];
}

// A keyword the tables do not know is a fault of the data: stop and name it
// with the file, record and line being read.
template <i32 N>
i32 indexOrHalt(const char* const (&table)[N], const char* name, const char* kind, int line) {
  const i32 index = find(table, name);
  if (index < 0) {
    DataError::unknownName(__FILE__, line, kind, name);
  }
  return index;
}

}  // namespace

void Constance::create() {
  if (!gInstance) {
    gInstance = new Constance();
  }
}

void Constance::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

Constance* Constance::instance() { return gInstance; }

const char* Constance::attributeName(i32 i) const { return nameAt(kAttributes, i); }
const char* Constance::parameterName(i32 i) const { return nameAt(kParameters, i); }
const char* Constance::statusKeyName(i32 i) const { return nameAt(kStatusKeys, i); }
const char* Constance::categoryName(i32 i) const { return nameAt(kCategories, i); }
const char* Constance::abilityFlagName(i32 i) const { return nameAt(kAbilityFlags, i); }

i32 Constance::attributeIndex(const char* name) const {
  return indexOrHalt(kAttributes, name, "damage attribute", __LINE__);
}

i32 Constance::categoryIndex(const char* name) const {
  return indexOrHalt(kCategories, name, "skill category", __LINE__);
}

i32 Constance::abilityFlagIndex(const char* name) const {
  return indexOrHalt(kAbilityFlags, name, "ability flag", __LINE__);
}

i32 Constance::statusKeyIndex(const char* name) const {
  return indexOrHalt(kStatusKeys, name, "stat key", __LINE__);
}

i32 Constance::findAttribute(const char* name) { return find(kAttributes, name); }
i32 Constance::findParameter(const char* name) { return find(kParameters, name); }
i32 Constance::findStatusKey(const char* name) { return find(kStatusKeys, name); }
i32 Constance::findCategory(const char* name) { return find(kCategories, name); }
i32 Constance::findAbilityFlag(const char* name) { return find(kAbilityFlags, name); }

}  // namespace Game
