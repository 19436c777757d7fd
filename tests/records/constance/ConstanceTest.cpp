#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PlatformFake/FakeBackend.h"
#include "records/constance/Constance.h"
#include "records/constance/Keywords.h"
#include "tests/Services.h"

namespace {

using Game::Constance;

class ConstanceTest : public TestServices::Test<TestServices::kConstants> {
 protected:
  const Constance& constants() const { return *Constance::instance(); }
};

TEST_F(ConstanceTest, LookupsFindEveryNameAtItsIndex) {
  // 斬撃 in code page 932, as the converted data files hold it.
  EXPECT_EQ(std::strcmp(constants().attributeName(0), "\x8E\x61\x8C\x82"), 0);
  const Constance& c = constants();
  for (int i = 0; i < Constance::kAttributeCount; ++i) EXPECT_EQ(c.attributeIndex(c.attributeName(i)), i);
  for (int i = 0; i < Constance::kAbilityFlagCount; ++i) EXPECT_EQ(c.abilityFlagIndex(c.abilityFlagName(i)), i);
  for (int i = 0; i < Constance::kStatusKeyCount; ++i) EXPECT_EQ(c.statusKeyIndex(c.statusKeyName(i)), i);
  for (int i = 0; i < Constance::kCategoryCount; ++i) EXPECT_EQ(c.categoryIndex(c.categoryName(i)), i);
  // 射撃 is both an attribute and a category; the tables are separate.
  EXPECT_EQ(std::vector<int>({c.attributeIndex("射撃"), c.categoryIndex("射撃"), Constance::findParameter("AP3"),
                              Constance::findAttribute("斬"), Constance::findAbilityFlag(nullptr)}),
            std::vector<int>({2, 2, 4, -1, -1}));
}

// Each table's names joined by blanks, in index order.
template <class Name>
std::string joined(int count, Name name) {
  std::string out;
  for (int i = 0; i < count; ++i) out += (i ? " " : "") + std::string(name(i));
  return out;
}

TEST_F(ConstanceTest, TablesKeepTheirOrder) {
  ASSERT_NE(Constance::instance(), nullptr);
  const Constance& c = constants();
  Constance::create();
  EXPECT_EQ(&c, Constance::instance()) << "a second create keeps the instance";
  EXPECT_EQ(joined(Constance::kAttributeCount, [&](int i) { return c.attributeName(i); }),
            "斬撃 打撃 射撃 衝撃 熱 冷 天 地 光");
  EXPECT_EQ(joined(Constance::kParameterCount, [&](int i) { return c.parameterName(i); }),
            "HP LP AP1 AP2 AP3 腕力 器用さ 知力 敏捷 体力 精神 霊力");
  EXPECT_EQ(joined(Constance::kStatusKeyCount, [&](int i) { return c.statusKeyName(i); }),
            "Weapon Defense MagicDefense Attack Dexterity Magic Speed Resist Charisma Psycho");
  EXPECT_EQ(joined(Constance::kCategoryCount, [&](int i) { return c.categoryName(i); }), "体術 武器 射撃 魔法");
  EXPECT_EQ(joined(Constance::kAbilityFlagCount, [&](int i) { return c.abilityFlagName(i); }),
            "符 物 射 術 接触 水 対空攻撃 地上攻撃 音 吸収 薬 精神攻撃 レーザー 凝視 反射 反撃無効 電気 人間特効 "
            "Hollowkin特効 神特効 機械特効 武器消費 割合ダメージ");
}

struct KeywordCase {
  Engine::i32 (*convert)(const char*);
  const char* word;
  int value;
};

// Every word of every converter, with its number.
TEST(KeywordTest, ConvertersCompareWholeWords) {
  using namespace Game::Keyword;
  const KeywordCase cases[] = {
      {saveKind, "invalid", 0}, {saveKind, "file", 2},    {saveKind, "memory", 1},
      {slotBit, "ぶき", 1},     {slotBit, "うで", 2},     {slotBit, "あたま", 4},
      {slotBit, "あし", 8},     {slotBit, "そのた", 16},  {trigger, "常時", 0},
      {trigger, "通常", 1},     {trigger, "反撃", 2},     {trigger, "自動反撃", 3},
      {trigger, "ファイナルアタック", 4},                 {trigger, "追撃", 5},
      {abilityType, "攻撃", 0}, {abilityType, "補助", 1}, {area, "無", 0},
      {area, "単", 1},          {area, "行", 2},          {area, "列", 3},
      {area, "列大", 4},        {area, "円", 5},          {area, "前", 6},
      {area, "自爆", 7},        {area, "陣", 8},          {area, "全", 9},
      {range, "自", 0},         {range, "近", 1},         {range, "遠", 2},
  };
  for (const KeywordCase& c : cases) {
    EXPECT_EQ(c.convert(c.word), c.value) << c.word;
  }
}

TEST(KeywordTest, SlotWordsOrTheirBits) {
  EXPECT_EQ(Game::Keyword::slotMask("ぶき,うで"), 3);
  EXPECT_EQ(Game::Keyword::slotMask("あたま,あし,そのた"), 28);
  EXPECT_EQ(Game::Keyword::slotMask(""), 0);
}

using KeywordDeathTest = ConstanceTest;

TEST_F(KeywordDeathTest, UnknownWordsStopWithTheMessageOfTheirKind) {
  PlatformFake::ScopedFakeBackend backend;
  // Slot, trigger, area and save words stop likewise where the tables and site lists read them.
  EXPECT_EXIT(Game::Keyword::abilityType(nullptr), ::testing::ExitedWithCode(1), "\"WRONG ABILITYTYPE\"");
  EXPECT_EXIT(Game::Keyword::range("中"), ::testing::ExitedWithCode(1), "\"WRONG RANGE\"");
  // A slot word too long to be one is named by its first 63 bytes.
  EXPECT_EXIT(Game::Keyword::slotMask(std::string(100, 'a').c_str()), ::testing::ExitedWithCode(1),
              "unknown slot \"a{63}\"\\)");
}

TEST_F(KeywordDeathTest, UnknownNamesAndIndicesStop) {
  PlatformFake::ScopedFakeBackend backend;
  EXPECT_EXIT(constants().attributeIndex("fire"), ::testing::ExitedWithCode(1), "0 \\(unknown damage attribute \"fire\"\\)");
  EXPECT_EXIT(constants().statusKeyIndex("weapon"), ::testing::ExitedWithCode(1), "unknown stat key \"weapon\"");
  EXPECT_EXIT(constants().categoryIndex("x"), ::testing::ExitedWithCode(1), "unknown skill category");
  EXPECT_EXIT(constants().abilityFlagIndex("x"), ::testing::ExitedWithCode(1), "unknown ability flag");
  EXPECT_EXIT(constants().parameterName(12), ::testing::ExitedWithCode(1), "index out of range");
}

}  // namespace
