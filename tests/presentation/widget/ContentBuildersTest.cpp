// The menu-content builders over the sample databases: the exact row texts
// and colours of the item, equipment, arts and learnable-art lists, and the
// equipment screen's swap with the bag.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "data/Bag.h"
#include "data/Party.h"
#include "data/Unit.h"
#include "presentation/widget/ArtsPanel.h"
#include "presentation/widget/ContentMenu.h"
#include "presentation/widget/EquipPanel.h"
#include "presentation/widget/GhostWidget.h"
#include "presentation/widget/ItemMenu.h"
#include "presentation/widget/LearnMenu.h"
#include "resource/database/ToolData.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Engine::i32;
using Engine::u32;
using Game::ItemMenu;
using Game::ListMenu;

constexpr u32 kRow = 0xFFC0C0C0;
constexpr u32 kGrey = 0xFF080808;
constexpr u32 kTitle = 0xFFFFFF80;

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

struct Row {
  std::string text;
  i32 id;
  u32 color;
  bool selectable;
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << '"' << row.text << "\" id " << row.id << " colour " << std::hex << row.color << std::dec
             << (row.selectable ? " selectable" : "");
}

std::vector<Row> rowsOf(const ListMenu& menu) {
  std::vector<Row> rows;
  for (i32 i = 0; i < menu.itemCount(); ++i) {
    const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.item(i));
    if (text) {
      rows.push_back({text->text.c_str(), text->id, text->color, text->selectable});
    }
  }
  return rows;
}

// A sample party (Kessa and ミオ) and bag, with the keyboard scripted for
// the screens that take input.
class ContentBuildersTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Game::KeyInput::setDefaultBindings();
    Game::Config::instance().setDefaults();
    Engine::Input::Manager::create();
    step();
    kessa = party.recruit(*database().findShell("Kessa"))->ghost;
    mio = party.recruit(*database().findShell("灯りのミオ"))->ghost;
  }
  void TearDown() override {
    Engine::Input::Manager::destroy();
    Game::Config::instance().setDefaults();
    GameTest::TearDown();
  }
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  void stock(const char* name, i32 n) { bag.add(Game::Article::fromItem(tool(name)), n); }
  void sampleBag() {
    stock("薬草", 3);
    stock("鉄の剣", 1);
    stock("投げナイフ", 2);
    stock("古びた鍵", 1);
  }
  void step(std::initializer_list<Platform::Key> held = {}) {
    for (Platform::Key key : mHeld) {
      backend->fakeKeyboard.release(key);
    }
    mHeld.assign(held.begin(), held.end());
    for (Platform::Key key : mHeld) {
      backend->fakeKeyboard.press(key);
    }
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
  }
  // Frames of the equipment screen with the keys held, then one with none.
  i32 equipFrames(i32 n, std::initializer_list<Platform::Key> held = {}) {
    i32 result = 0;
    for (i32 i = 0; i < n; ++i) {
      step(held);
      result = panel.update(true);
      step();
      if (result != 0) {
        return result;
      }
      result = panel.update(true);
    }
    return result;
  }

  Game::Party party;
  Game::Bag bag;
  Game::PlayerGhost* kessa = nullptr;
  Game::PlayerGhost* mio = nullptr;
  Game::EquipPanel panel;

 private:
  std::vector<Platform::Key> mHeld;
};

TEST_F(ContentBuildersTest, SaleRowsPadNamesTo23ColumnsAndRightAlignPriceAndNumber) {
  sampleBag();
  ItemMenu menu;
  menu.buildForSale(bag);
  const std::vector<Row> expected{
      {"   薬草" + blanks(16) + "   30" + "    3", 0, kRow, true},
      {"   鉄の剣" + blanks(14) + "  240" + "    1", 1, kRow, true},
      {"   投げナイフ" + blanks(10) + "   60" + "    2", 2, kRow, true},
      // Price 0: a blank price column and grey, still selectable.
      {"   古びた鍵" + blanks(12) + "     " + "    1", 3, kGrey, true},
  };
  EXPECT_EQ(rowsOf(menu.list()), expected);
  EXPECT_EQ(menu.selectedIndex(), 0);
  EXPECT_EQ(menu.selectedItem(), tool("薬草"));
}

TEST_F(ContentBuildersTest, ModesFilterTheBag) {
  sampleBag();
  ItemMenu menu;
  struct Case {
    const char* name;
    ItemMenu::Mode mode;
    Game::PlayerGhost* ghost;
    i32 mask;
    std::vector<i32> ids;
  };
  const Case cases[] = {
      {"plain", ItemMenu::kPlain, nullptr, 31, {0, 1, 2, 3}},
      {"use: only items with a script", ItemMenu::kUse, nullptr, 31, {0}},
      {"equip weapons, Kessa", ItemMenu::kEquip, kessa, 1, {-1, 1, 2}},
      {"equip weapons, ミオ (the knife is Kessa's)", ItemMenu::kEquip, mio, 1, {-1, 1}},
      {"equip others, Kessa", ItemMenu::kEquip, kessa, 16, {-1, 2}},
      {"equip arms, nobody", ItemMenu::kEquip, nullptr, 2, {-1}},
  };
  for (const Case& c : cases) {
    menu.build(bag, c.mode, c.ghost, c.mask);
    std::vector<i32> ids;
    for (const Row& row : rowsOf(menu.list())) {
      if (row.selectable) {
        ids.push_back(row.id);
      }
    }
    EXPECT_EQ(ids, c.ids) << c.name;
  }
  menu.buildPlain(bag);
  EXPECT_EQ(rowsOf(menu.list())[0].text, "   薬草" + blanks(16) + "    3");
}

TEST_F(ContentBuildersTest, AnEmptyBagSaysSoAndTheEquipModeStillOffersUnequip) {
  ItemMenu menu;
  menu.buildForUse(bag);
  EXPECT_EQ(rowsOf(menu.list()), (std::vector<Row>{{"アイテムなし！", -1, kRow, false}}));
  EXPECT_EQ(menu.selectedItem(), nullptr);
  menu.buildForEquip(bag, *kessa, 1);
  EXPECT_EQ(rowsOf(menu.list()),
            (std::vector<Row>{{"はずす", ItemMenu::kUnequipId, kRow, true}, {"アイテムなし！", -1, kRow, false}}));
  EXPECT_EQ(menu.selectedIndex(), ItemMenu::kUnequipId);
  EXPECT_EQ(menu.selectedItem(), nullptr);
}

TEST_F(ContentBuildersTest, EquipSlotsAreCaptionedAndShowDashesWhenEmpty) {
  panel.buildSlots(bag, *kessa);
  const std::vector<Row> rows = rowsOf(panel.list());
  ASSERT_EQ(rows.size(), 16u);
  const char* captions[] = {"武器", "武器", "武器", "腕", "頭", "足", "その他", "その他"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(rows[static_cast<std::size_t>(i)], (Row{captions[i], -1, kTitle, false})) << i;
  }
  EXPECT_EQ(rows[8], (Row{"   鉄の剣", 0, kRow, true}));
  EXPECT_EQ(rows[9], (Row{"   革の鎧", 1, kRow, true}));
  EXPECT_EQ(rows[11], (Row{"   ----------------", 3, kRow, true}));
  // The slot rows stand 48 units right of the captions, on their lines.
  EXPECT_EQ(panel.list().item(8)->x, Game::EquipPanel::kSlotIndent);
  EXPECT_EQ(panel.list().item(8)->y, panel.list().item(0)->y);
  EXPECT_EQ(panel.list().cursor(), 8);
}

TEST_F(ContentBuildersTest, UnequipEmptiesTheSlotIntoTheBag) {
  panel.buildSlots(bag, *kessa);
  equipFrames(ListMenu::kInputDelay + 1);
  ASSERT_EQ(equipFrames(1, {Platform::Key::X}), 0);
  ASSERT_TRUE(panel.isChoosing());
  EXPECT_EQ(rowsOf(panel.candidates()->list())[0].text, "はずす");
  equipFrames(ListMenu::kInputDelay + 1);
  equipFrames(1, {Platform::Key::X});
  EXPECT_FALSE(panel.isChoosing());
  EXPECT_TRUE(kessa->slot(0).isEmpty());
  ASSERT_EQ(bag.count(), 1);
  EXPECT_EQ(bag.at(0)->article.item(), tool("鉄の剣"));
  EXPECT_EQ(rowsOf(panel.list())[8].text, "   ----------------");
  // Equipping it again takes it back out of the bag.
  equipFrames(1, {Platform::Key::X});
  equipFrames(ListMenu::kInputDelay + 1);
  equipFrames(1, {Platform::Key::Down});
  equipFrames(1, {Platform::Key::X});
  EXPECT_EQ(kessa->slot(0).item(), tool("鉄の剣"));
  EXPECT_EQ(bag.count(), 0);
  EXPECT_EQ(equipFrames(1, {Platform::Key::Z}), 2);
}

TEST_F(ContentBuildersTest, ChangingTheCharacterResetsTheSlotCursor) {
  panel.buildSlots(bag, *kessa);
  equipFrames(ListMenu::kInputDelay + 1);
  equipFrames(1, {Platform::Key::Down});
  ASSERT_EQ(panel.list().cursor(), 9);
  panel.buildSlots(bag, *kessa);
  EXPECT_EQ(panel.list().cursor(), 9) << "the same character keeps it";
  panel.buildSlots(bag, *mio);
  EXPECT_EQ(panel.list().cursor(), 8);
}

TEST_F(ContentBuildersTest, ArtRowsShowCostsOnlyWhenNotZero) {
  Game::AbilityList arts;
  arts.add(Game::Ability::fromName("斬り払い"));
  arts.add(Game::Ability::fromName("投げる道具"));
  arts.add(Game::Ability::fromName("火花の術"));
  Game::Ability spark = Game::Ability::fromName("火花の術");
  spark.setLevel(3);
  arts.add(spark);
  Game::ArtsPanel artsPanel;
  artsPanel.buildWithCosts(arts);
  EXPECT_EQ(artsPanel.abilityCount(), 4) << "the hidden art is kept, without a row";
  const std::vector<Row> expected{
      {"斬り払い" + blanks(20), 0, 0xFFFF8080, true},
      {"火花" + blanks(18) + " 4" + " " + " 1" + " ", 2, 0xFFFF8080, true},
      {"火花Lv3" + blanks(15) + " 9" + " " + " 1" + " ", 3, 0xFFFF8080, true},
  };
  EXPECT_EQ(rowsOf(artsPanel.list()), expected);
  artsPanel.build(arts, nullptr, Game::ArtsPanel::kPlain, 3);
  EXPECT_EQ(rowsOf(artsPanel.list())[1].text, "火花" + blanks(18));
  EXPECT_EQ(artsPanel.list().cursor(), 2);
  ASSERT_TRUE(artsPanel.hasArtSelected());
  EXPECT_EQ(artsPanel.selectedAbility().level(), 3);
}

TEST_F(ContentBuildersTest, NoArtsShowGreyNoAbilityAndAUnitGreysWhatItCannotPay) {
  Game::ArtsPanel artsPanel;
  artsPanel.build(Game::AbilityList(), nullptr, Game::ArtsPanel::kPlain, 0);
  EXPECT_EQ(rowsOf(artsPanel.list()), (std::vector<Row>{{"no ability", -1, kGrey, false}}));
  EXPECT_FALSE(artsPanel.hasArtSelected());

  for (Engine::i32 tier = 0; tier < 3; ++tier) {
    while (mio->getAp(tier) > 0) {
      mio->spendAp(tier);
    }
  }
  Game::Unit unit(*mio);
  Game::AbilityList arts;
  arts.add(Game::Ability::fromName("火花の術"));
  artsPanel.build(arts, &unit, Game::ArtsPanel::kWithCosts, 0);
  ASSERT_EQ(rowsOf(artsPanel.list()).size(), 1u);
  EXPECT_EQ(rowsOf(artsPanel.list())[0].color, kGrey);
}

TEST_F(ContentBuildersTest, CommandListOffersDefendAndFlee) {
  Game::ArtsPanel artsPanel;
  artsPanel.buildCommands(true, true, true, false);
  EXPECT_EQ(rowsOf(artsPanel.list()), (std::vector<Row>{{"コマンド", Game::ArtsPanel::kCommandId, kRow, true},
                                                     {"身を守る" + blanks(14), 0, kRow, true},
                                                     {"逃げる", -1, kGrey, false}}));
  EXPECT_FALSE(artsPanel.hasArtSelected()) << "the command row is no art";
  artsPanel.buildCommands(false, false, true, true);
  const std::vector<Row> rows = rowsOf(artsPanel.list());
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (Row{"コマンド", -1, kGrey, false}));
  EXPECT_EQ(rows[1].text, "何もしない" + blanks(12));
  EXPECT_EQ(rows[2].text, "逃げる" + blanks(16));
}

TEST_F(ContentBuildersTest, LearnableArtsComeFromBothTreesWithTheirCosts) {
  Game::LearnMenu menu;
  menu.build(*mio);
  const std::vector<Row> expected{
      {"斬り払い" + blanks(14) + "1", 0, kGrey, true},
      {"癒しの光" + blanks(14) + "1", 1, kGrey, true},
      {"火花Lv2" + blanks(15) + "3", 2, kGrey, true},
  };
  EXPECT_EQ(rowsOf(menu.list()), expected) << "no points yet: every cost is grey";
  mio->gainExperience(nullptr, 0, 100000);
  ASSERT_GE(mio->masterPoint(), 3);
  menu.build(*mio);
  EXPECT_EQ(rowsOf(menu.list())[0].color, 0xFFFF8080u);
  EXPECT_EQ(rowsOf(menu.list())[1].color, 0xFF8080FFu);
  ASSERT_TRUE(mio->learnAbility(*menu.selectedCandidate()));
  menu.build(*mio);
  EXPECT_EQ(menu.candidates().size(), 2u) << "a learned art leaves the list";
}

TEST_F(ContentBuildersTest, AMenuWithNothingToLearnIsComplete) {
  Game::LearnMenu menu;
  kessa->gainExperience(nullptr, 0, 100000);
  kessa->learnAbility(*database().findShell("Kessa")->skillTree().data());
  menu.build(*kessa);
  EXPECT_EQ(rowsOf(menu.list()), (std::vector<Row>{{"complete!", -1, kRow, false}}));
  EXPECT_EQ(menu.selectedCandidate(), nullptr);
}

TEST_F(ContentBuildersTest, PartyRowsAreSheetsWithMemberIds) {
  Game::GhostMenu menu;
  menu.list().setMaxChoices(2);
  menu.build(party.members());
  ASSERT_EQ(menu.list().itemCount(), 2);
  for (i32 i = 0; i < 2; ++i) {
    const auto* row = dynamic_cast<const Game::Widget::Ghost*>(menu.list().item(i));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->id, i);
    EXPECT_TRUE(row->selectable);
    EXPECT_EQ(&row->ghost(), &party.members().memberAt(i));
  }
  EXPECT_EQ(menu.selectedId(0), 0);
}

}  // namespace
