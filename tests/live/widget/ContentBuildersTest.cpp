// The menu-content builders over the sample databases: exact row texts and
// colours, and the equipment screen's swap with the bag.

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "live/Bag.h"
#include "live/Party.h"
#include "live/Unit.h"
#include "live/widget/ArtsPanel.h"
#include "live/widget/ContentMenu.h"
#include "live/widget/EquipPanel.h"
#include "live/widget/ItemMenu.h"
#include "presentation/widget/KeyScript.h"
#include "live/widget/LearnMenu.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/ToolData.h"
#include "tests/Services.h"
#include "tests/running/game/GameFixture.h"

namespace {

using Engine::i32;
using Engine::u32;
using Game::ItemMenu;
using Game::ListMenu;
using Platform::Key;

constexpr u32 kRow = 0xFFC0C0C0;
constexpr u32 kGrey = 0xFF080808;
constexpr u32 kTitle = 0xFFFFFF80;
constexpr u32 kRed = 0xFFFF8080;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

struct Row {
  std::string text;
  i32 id;
  u32 color;
  bool selectable;
  bool operator==(const Row&) const = default;
};
using Rows = std::vector<Row>;

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << '"' << row.text << "\" id " << row.id << " colour " << std::hex << row.color << std::dec
             << (row.selectable ? " selectable" : "");
}

Rows rowsOf(const ListMenu& menu) {
  Rows rows;
  for (i32 i = 0; i < menu.itemCount(); ++i) {
    if (const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.item(i))) {
      rows.push_back({text->text.c_str(), text->id, text->color, text->selectable});
    }
  }
  return rows;
}

// A sample party (Kessa and ミオ) and bag, with the keyboard scripted for
// the screens that take input.
class ContentBuildersTest : public WidgetTest::KeysOver<GameTestSupport::GameTest> {
 protected:
  void SetUp() override {
    KeysOver::SetUp();
    kessa = party.recruit(*database().findShell("Kessa"))->ghost;
    mio = party.recruit(*database().findShell("灯りのミオ"))->ghost;
  }
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  void sampleBag() {
    const std::pair<const char*, i32> stock[] = {{"薬草", 3}, {"鉄の剣", 1}, {"投げナイフ", 2}, {"古びた鍵", 1}};
    for (const auto& [name, n] : stock) bag.add(Game::Article::fromItem(tool(name)), n);
  }
  // Frames of the equipment screen with the keys held, then one with none.
  i32 equipFrames(i32 n, std::initializer_list<Key> held = {}) {
    i32 result = 0;
    for (i32 i = 0; i < n && result == 0; ++i) {
      step(held);
      result = panel.update(true);
      step();
      if (result == 0) result = panel.update(true);
    }
    return result;
  }
  void openEquip() { equipFrames(ListMenu::kInputDelay + 1); }
  // Three arts and 火花 again at level 3; ナイフ投げ is hidden: rows for
  // arts 0, 2 and 3.
  static Game::AbilityList sampleArts() {
    Game::AbilityList arts;
    for (const char* name : {"斬り払い", "ナイフ投げ", "火花の術"}) {
      arts.add(Game::Ability::fromName(name));
    }
    Game::Ability spark = Game::Ability::fromName("火花の術");
    spark.setLevel(3);
    arts.add(spark);
    return arts;
  }

  Game::Party party;
  Game::Bag bag;
  Game::PlayerGhost* kessa = nullptr;
  Game::PlayerGhost* mio = nullptr;
  Game::EquipPanel panel;
};

// Price 0: a blank price column and grey, still selectable.
TEST_F(ContentBuildersTest, SaleRowsOfWhatSellsForNothingAreGrey) {
  sampleBag();
  ItemMenu menu;
  menu.buildForSale(bag);
  const Rows rows = rowsOf(menu.list());
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3], (Row{"   古びた鍵" + blanks(12) + "     " + "    1", 3, kGrey, true}));
  EXPECT_EQ(menu.selectedItem(), tool("薬草"));
  menu.buildPlain(bag);
  EXPECT_EQ(rowsOf(menu.list())[0].text, "   薬草" + blanks(16) + "    3");
}

TEST_F(ContentBuildersTest, ModesFilterTheBag) {
  sampleBag();
  ItemMenu menu;
  // What is shown, mode, ghost, slot mask and the selectable ids.
  const std::tuple<const char*, ItemMenu::Mode, Game::PlayerGhost*, i32, std::vector<i32>> cases[] = {
      {"plain", ItemMenu::kPlain, nullptr, 31, {0, 1, 2, 3}},
      {"use: only items with a script", ItemMenu::kUse, nullptr, 31, {0}},
      {"equip weapons, Kessa", ItemMenu::kEquip, kessa, 1, {-1, 1, 2}},
      {"equip weapons, ミオ (the knife is Kessa's)", ItemMenu::kEquip, mio, 1, {-1, 1}},
      {"equip arms, nobody", ItemMenu::kEquip, nullptr, 2, {-1}},
  };
  for (const auto& [name, mode, ghost, mask, wanted] : cases) {
    menu.build(bag, mode, ghost, mask);
    std::vector<i32> ids;
    for (const Row& row : rowsOf(menu.list())) {
      if (row.selectable) ids.push_back(row.id);
    }
    EXPECT_EQ(ids, wanted) << name;
  }
}

// Empty lists say so and select nothing.
TEST_F(ContentBuildersTest, EmptyListsSaySoAndTheEquipModeStillOffersUnequip) {
  ItemMenu items;
  items.buildForUse(bag);
  EXPECT_EQ(rowsOf(items.list()), (Rows{{"アイテムなし！", -1, kRow, false}}));
  EXPECT_EQ(items.selectedItem(), nullptr);
  items.buildForEquip(bag, *kessa, 1);
  EXPECT_EQ(rowsOf(items.list()),
            (Rows{{"はずす", ItemMenu::kUnequipId, kRow, true}, {"アイテムなし！", -1, kRow, false}}));
  EXPECT_EQ(items.selectedIndex(), ItemMenu::kUnequipId);
  EXPECT_EQ(items.selectedItem(), nullptr);
  Game::ArtsPanel arts;
  arts.build(Game::AbilityList(), nullptr, Game::ArtsPanel::kPlain, 0);
  EXPECT_EQ(rowsOf(arts.list()), (Rows{{"no ability", -1, kGrey, false}}));
  EXPECT_FALSE(arts.hasArtSelected());
  Game::LearnMenu learn;
  kessa->gainExperience(nullptr, 0, 100000);
  kessa->learnAbility(*database().findShell("Kessa")->skillTree().data());
  learn.build(*kessa);
  EXPECT_EQ(rowsOf(learn.list()), (Rows{{"complete!", -1, kRow, false}}));
  EXPECT_EQ(learn.selectedCandidate(), nullptr);
}

TEST_F(ContentBuildersTest, TheSameCharacterKeepsTheSlotCursor) {
  panel.buildSlots(bag, *kessa);
  ASSERT_EQ(panel.list().itemCount(), 16);
  EXPECT_EQ(panel.list().cursor(), 8) << "the first slot row, after the eight captions";
  openEquip();
  equipFrames(1, {Key::Down});
  ASSERT_EQ(panel.list().cursor(), 9);
  panel.buildSlots(bag, *kessa);
  EXPECT_EQ(panel.list().cursor(), 9) << "the same character keeps the cursor";
  panel.buildSlots(bag, *mio);
  EXPECT_EQ(panel.list().cursor(), 8);
}

TEST_F(ContentBuildersTest, UnequipEmptiesTheSlotIntoTheBagAndEquipTakesItBack) {
  panel.buildSlots(bag, *kessa);
  openEquip();
  ASSERT_EQ(equipFrames(1, {Key::X}), 0);
  ASSERT_TRUE(panel.isChoosing());
  openEquip();
  equipFrames(1, {Key::X});
  EXPECT_FALSE(panel.isChoosing());
  EXPECT_TRUE(kessa->slot(0).isEmpty());
  ASSERT_EQ(bag.count(), 1);
  EXPECT_EQ(bag.at(0)->article.item(), tool("鉄の剣"));
  equipFrames(1, {Key::X});
  openEquip();
  equipFrames(1, {Key::Down});
  equipFrames(1, {Key::X});
  EXPECT_EQ(kessa->slot(0).item(), tool("鉄の剣"));
  EXPECT_EQ(bag.count(), 0);
  EXPECT_EQ(equipFrames(1, {Key::Z}), 2);
}

TEST_F(ContentBuildersTest, ArtRowsShowCostsOnlyWhenNotZero) {
  const Game::AbilityList arts = sampleArts();
  Game::ArtsPanel artsPanel;
  artsPanel.buildWithCosts(arts);
  EXPECT_EQ(artsPanel.abilityCount(), 4) << "the hidden art is kept, without a row";
  EXPECT_EQ(rowsOf(artsPanel.list()), (Rows{{"斬り払い" + blanks(20), 0, kRed, true},
                                            {"火花" + blanks(18) + " 4  1 ", 2, kRed, true},
                                            {"火花Lv3" + blanks(15) + " 9  1 ", 3, kRed, true}}));
  artsPanel.build(arts, nullptr, Game::ArtsPanel::kPlain, 3);
  EXPECT_EQ(rowsOf(artsPanel.list())[1].text, "火花" + blanks(18));
  ASSERT_TRUE(artsPanel.hasArtSelected());
  EXPECT_EQ(artsPanel.selectedAbility().level(), 3);
  artsPanel.build(arts, nullptr, Game::ArtsPanel::kPlain, 0);
  EXPECT_TRUE(artsPanel.hasArtSelected()) << "the first art is one";
  // A unit greys what it cannot pay.
  for (i32 tier = 0; tier < 3; ++tier) {
    while (mio->getAp(tier) > 0) mio->spendAp(tier);
  }
  Game::Unit unit(*mio);
  artsPanel.build(arts, &unit, Game::ArtsPanel::kWithCosts, 0);
  EXPECT_EQ(rowsOf(artsPanel.list())[1].color, kGrey);
}

// With costs, two arts are picked (the first marked) and the side keys page;
// the help of the art under the cursor shows 32 below the list only while
// the panel is updated.
TEST_F(ContentBuildersTest, ArtsWithCostsPickTwoPageSidewaysAndShowHelpWhileActive) {
  const TestServices::Scoped renderer(TestServices::kRenderer);
  const Game::AbilityList arts = sampleArts();
  Game::ArtsPanel artsPanel;
  artsPanel.buildWithCosts(arts);
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  const auto origin = [&] {
    i32 x = 0, y = 0;
    writer.getOrigin(&x, &y);
    return std::pair<i32, i32>(x, y);
  };
  const std::pair<i32, i32> help(static_cast<i32>(artsPanel.list().columnX(0.f)),
                                 static_cast<i32>(artsPanel.list().rowY(1.f) - 32.f));
  for (i32 i = 0; i <= ListMenu::kInputDelay; ++i) artsPanel.draw();
  EXPECT_NE(origin(), help);
  step();
  artsPanel.update();
  artsPanel.draw();
  EXPECT_EQ(origin(), help);
  step({Key::Right});
  artsPanel.update();  // a page of all three rows: to the end, not one step
  EXPECT_EQ(artsPanel.list().selectedId(0), 3);
  step({Key::X});
  artsPanel.update();
  step();
  step({Key::Up});
  artsPanel.update();
  step({Key::X});
  EXPECT_EQ(artsPanel.update(), ListMenu::kDecided);
  i32 first = -1, second = -1;
  artsPanel.selection(first, second);
  EXPECT_EQ(first, 3);
  EXPECT_EQ(second, 2);
  // A row whose id names no art is not an art.
  artsPanel.list().clearChosen();
  artsPanel.addItem("extra", artsPanel.abilityCount(), kRow);
  artsPanel.list().setCursorById(artsPanel.abilityCount());
  EXPECT_FALSE(artsPanel.hasArtSelected());
}

TEST_F(ContentBuildersTest, EquipmentSlotsTakeTheirCategories) {
  const i32 masks[] = {0, 1, 1, 1, 2, 4, 8, 16, 16, 0};
  for (i32 slot = -1; slot <= Game::EquipPanel::kSlots; ++slot) {
    EXPECT_EQ(Game::EquipPanel::categoryMask(slot), masks[slot + 1]) << slot;
  }
}

// Party rows carry their member's index and are decided by the decide key.
TEST_F(ContentBuildersTest, PartyRowsAreDecidedByTheDecideKey) {
  Game::GhostMenu menu;
  menu.build(party.members());
  ASSERT_EQ(menu.list().itemCount(), 2);
  Game::Widget::Widget& row = *menu.list().item(1);
  EXPECT_EQ(row.id, 1);
  step({Key::X});
  EXPECT_TRUE(row.isDecided());
  step();
  step({Key::C});
  EXPECT_FALSE(row.isDecided());
}

TEST_F(ContentBuildersTest, LearnableArtsComeFromBothTreesWithTheirCosts) {
  Game::LearnMenu menu;
  menu.build(*mio);
  const Rows rows = rowsOf(menu.list());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], (Row{"火花Lv2" + blanks(15) + "3", 2, kGrey, true})) << "no points yet: every cost is grey";
  mio->gainExperience(nullptr, 0, 100000);
  ASSERT_GE(mio->masterPoint(), 3);
  menu.build(*mio);
  EXPECT_EQ(rowsOf(menu.list())[0].color, kRed);
  EXPECT_EQ(rowsOf(menu.list())[1].color, 0xFF8080FFu);
  ASSERT_TRUE(mio->learnAbility(*menu.selectedCandidate()));
  menu.build(*mio);
  EXPECT_EQ(menu.candidates().size(), 2u) << "a learned art leaves the list";
}

}  // namespace
