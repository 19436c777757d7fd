// The lines of an art's help panel.

#include <gtest/gtest.h>

#include <string>

#include "data/ability/Ability.h"
#include "presentation/scene/SceneRenderer.h"
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

// One line a print at (x, y) in font 0 (14 units: 7 a byte) and grey: the
// widest of "斬る", "物 接触 斬撃 光" and "範囲" is 15 bytes.
TEST_F(AbilityHelpTest, ThePanelPrintsItsLinesFromItsCorner) {
  Game::SceneRenderer::create(800, 600);
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  writer.setFont(2);
  Ability(&database().findAbility("斬")).drawHelp(-300.f, 100.f, 0);
  int x = 0;
  int y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(-300, 100));
  writer.getExtent(&x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(15 * 7, 3 * 14));
  EXPECT_STREQ(writer.lastText().c_str(), "範囲");
  EXPECT_EQ(writer.font(), 0);
  EXPECT_EQ(writer.color(), 0xFFC0C0C0u);
  // A single line: "堅い", 4 bytes.
  Ability(&database().findAbility("壁")).drawHelp(10.f, 20.f, 0);
  writer.getExtent(&x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(4 * 7, 14));
  EXPECT_STREQ(writer.lastText().c_str(), "堅い");
  // Without an art there is no panel: the writer is left as it was.
  writer.setPosition(5, 6);
  writer.print("x");
  Ability().drawHelp(-300.f, 100.f, 0);
  writer.getOrigin(&x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(5, 6));
  EXPECT_STREQ(writer.lastText().c_str(), "x");
  Game::SceneRenderer::destroy();
}

}  // namespace
