// The lines of an art's help panel.

#include <gtest/gtest.h>

#include <string>

#include "data/ability/Ability.h"
#include "tests/resource/database/DatabaseFixture.h"

namespace {

using DatabaseTestSupport::BattleTexts;
using Game::Ability;
using Game::Database;

constexpr const char* kArts =
    "ability{name 斬;help 斬る;area 単;attack{element 斬撃,光;factor 物,接触;}}"
    "ability{base{name 雷;help 落とす;area 全;energy 4;cost 2;charge 1;recoil 3;attack{element 天;factor 符,術,電気;}}"
    "  upper{help 強く落とす;area 列;energy 6;}}"
    "ability{name 陣;help 守る;area 陣;}"
    "ability{name 壁;help 堅い;passive;}"
    "ability{name 多;help x;attack{factor 符,物,射,術,接触,水,対空攻撃,地上攻撃,音,吸収,薬;}}";

class AbilityHelpTest : public DatabaseTestSupport::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    load(BattleTexts::empty().with(Database::kAbilities, kArts));
  }
  std::string help(const char* name, int level = 1, bool costCancel = false) {
    Ability art(&database().findAbility(name), level);
    art.setCostCancel(costCancel);
    Game::String out;
    art.helpText(out);
    return out.c_str() ? out.c_str() : "";
  }
};

// Level from 2, help, the attack's ability flags then its damage types in
// table order, the area word, then the costs that are not 0.
TEST_F(AbilityHelpTest, LinesInTheirOrder) {
  struct Case {
    const char* name;
    int level;
    bool costCancel;
    const char* text;
  };
  const Case cases[] = {
      {"斬", 1, false, "斬る\n物 接触 斬撃 光\n範囲"},
      {"雷", 1, false, "落とす\n符 術 電気 天\n全体\n溜め 1\n反動 3\n消費呪力 4\n消費AP 2"},
      {"雷", 2, false, "Level 2\n強く落とす\n符 術 電気 天\n範囲\n溜め 1\n反動 3\n消費呪力 6\n消費AP 2"},
      {"雷", 2, true, "Level 2\n強く落とす\n符 術 電気 天\n範囲"},
      {"陣", 1, false, "守る\n全体"},
      {"壁", 1, false, "堅い"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(help(c.name, c.level, c.costCancel), c.text) << c.name << " " << c.level;
  }
}

// Eleven flags take 46 columns: the line wraps after the 40th, as the help
// text does.
TEST_F(AbilityHelpTest, ALongAttributeLineWraps) {
  EXPECT_EQ(help("多"), "x\n符 物 射 術 接触 水 対空攻撃 地上攻撃 音 \n吸収 薬");
}

// The caption (the name, "Lv" and the level from 2) cut to n characters.
TEST_F(AbilityHelpTest, AShortCaptionEndsInDotsWhenCut) {
  const std::pair<int, const char*> cases[] = {{2, "雷L..."}, {3, "雷Lv..."}, {4, "雷Lv2"}, {9, "雷Lv2"}};
  for (const auto& [n, text] : cases) {
    Game::String out;
    Ability(&database().findAbility("雷"), 2).shortCaption(out, n);
    EXPECT_STREQ(out.c_str(), text) << n;
  }
}

}  // namespace
