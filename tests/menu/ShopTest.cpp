#include "menu/Shop.h"

#include <limits>
#include <tuple>

#include "core/container/BitArray.h"
#include "live/article/Article.h"
#include "live/widget/ItemMenu.h"
#include "menu/ShopMenu.h"
#include "records/database/ToolData.h"
#include "tests/menu/MenuFixture.h"

namespace {

using Engine::i32;
using Game::Shop;
using Platform::Key;
using Strings = std::vector<std::string>;
constexpr i32 kMax = std::numeric_limits<i32>::max();

class ShopTest : public MenuTestSupport::MenuTest {
 protected:
  void TearDown() override {
    mShop.reset();
    MenuTest::TearDown();
  }
  // Goods by name, each with its availability bit.
  Shop& open(std::vector<std::pair<const char*, bool>> goods) {
    std::vector<const Game::ToolData*> tools;
    Game::BitArray available;
    available.setSize(static_cast<i32>(goods.size()));
    for (std::size_t i = 0; i < goods.size(); ++i) {
      tools.push_back(tool(goods[i].first));
      available.set(static_cast<i32>(i), goods[i].second);
    }
    mShop = std::make_unique<Shop>(game(), tools, available);
    return *mShop;
  }
  void giveMerchant() {
    game().party().recruit(*shell("Kessa"));
    game().party().members().memberAt(0).abilities().add(Game::Ability(&database().findAbility("あきんど"), 1));
    game().party().collectFieldAbilities();
  }
  // Down n times, then decide; the shop's answer.
  bool pick(int n) {
    for (int i = 0; i < n; ++i) press(*mShop, Key::Down);
    return press(*mShop, kDecide);
  }

  std::unique_ptr<Shop> mShop;
};

TEST_F(ShopTest, GoodsStandInItemOrderAndTheMainListOffersWhatApplies) {
  open({{"魔法鍵", true}, {"鉄の剣", true}, {"薬草", false}, {"革の鎧", true}});
  EXPECT_EQ(mShop->goods(), (std::vector<const Game::ToolData*>{nullptr, tool("鉄の剣"), tool("革の鎧"), tool("魔法鍵")}));
  // Goods all sold out still offer buying; haggling needs a merchant.
  for (const auto& [goods, merchant, expected] :
       {std::tuple{true, false, Strings{"買う", "売る", "さよなら"}}, {false, false, Strings{"売る", "さよなら"}},
        {true, true, Strings{"買う", "売る", "値切る", "さよなら"}}}) {
    if (merchant) giveMerchant();
    EXPECT_EQ(rows((goods ? open({{"薬草", false}}) : open({})).mainList()), expected);
  }
  // Item 0 (薬草) comes first; a good the database lacks comes last.
  open({{"無い物", true}, {"鉄の剣", true}, {"薬草", true}});
  EXPECT_EQ(mShop->goods(), (std::vector<const Game::ToolData*>{tool("薬草"), tool("鉄の剣"), nullptr}));
  // The main list's top stands two 32-unit lines below the money line.
  float lineHeight = 0.f;
  game().drawStatistics(Shop::kLeft, Shop::kTop, Game::GameData::kMoney, nullptr, &lineHeight);
  mShop->update();
  EXPECT_FLOAT_EQ(mShop->mainList().rowY(0.f), Shop::kTop - 64.f - lineHeight);
}

// 鉄の剣 costs 240: red while the money falls short, and then not sold.
TEST_F(ShopTest, BuyingTakesThePriceOnlyWhenTheMoneyCoversIt) {
  for (const auto& [money, onSale, shade, moneyAfter, owned, rowAfter] :
       {std::tuple{239, true, 0xFFFF8080u, 239, 0, "   鉄の剣                240    0"},
        {240, true, 0xFFC0C0C0u, 0, 1, "   鉄の剣                240    1"},
        {1000, true, 0xFFC0C0C0u, 760, 1, "   鉄の剣                240    1"},
        {1000, false, 0xFF080808u, 1000, 0, "   品切れ"}}) {
    game().bag().clear();
    game().money() = money;
    open({{"薬草", false}, {"鉄の剣", onSale}});
    pick(0);
    ASSERT_NE(mShop->buyList(), nullptr);
    EXPECT_EQ(color(mShop->buyList()->list(), 1), shade) << money;
    pick(1);
    EXPECT_EQ(std::tuple(game().money(), game().bag().countItem(tool("鉄の剣"))), std::tuple(moneyAfter, owned));
    EXPECT_EQ(rows(mShop->buyList()->list()), (Strings{"   品切れ", rowAfter})) << money;
  }
  EXPECT_FALSE(press(*mShop, kCancel));
  EXPECT_EQ(mShop->buyList(), nullptr);
  EXPECT_TRUE(press(*mShop, kCancel));  // leaves the shop
}

TEST_F(ShopTest, PricesAndMoneyStayInRangeAndNameFieldsAreCutAtWholeCharacters) {
  for (const auto& [full, haggled, expected] : {std::tuple{240, false, 240}, {240, true, 216}, {15, true, 13},
                                                {1, true, 1}, {0, true, 0}, {-8, false, 0}, {-8, true, 0},
                                                {2000000000, true, 1800000000}}) {
    Game::ToolData good("品", "品");
    good.setPrice(full);
    EXPECT_EQ(Shop::price(&good, haggled), expected) << full << haggled;
  }
  EXPECT_EQ(Shop::price(nullptr, false), 0);
  for (const auto& [money, delta, expected] : {std::tuple{10, -3LL, 7}, {10, -10LL, 0}, {10, -11LL, 0},
                                               {kMax - 5, 5LL, kMax}, {kMax - 5, 6LL, kMax}, {-4, 1LL, 0}}) {
    game().money() = money;
    Shop::addMoney(game(), delta);
    EXPECT_EQ(game().money(), expected) << money << " " << delta;
  }
  // A name field is cut at whole characters and padded to its columns.
  for (const auto& [text, columns, expected] : {std::tuple{"薬草", 6, "x薬草  "}, {"abcdef", 4, "xabcd"},
                                                {"aaa薬", 4, "xaaa "}, {"薬草薬", 6, "x薬草薬"}, {"", 2, "x  "}}) {
    Game::String out("x");
    Game::ShopMenu::appendField(out, text, columns);
    EXPECT_STREQ(out.c_str(), expected) << text;
  }
}

// 古びた鍵 sells for nothing, 薬草 (price 30) for 7 a piece.
TEST_F(ShopTest, SellingTakesOnePieceForItsValueButNothingForNoValue) {
  for (const char* name : {"古びた鍵", "薬草"}) game().bag().add(Game::Article::fromItem(tool(name)), 2);
  game().money() = 40;
  open({});
  pick(0);
  ASSERT_NE(mShop->sellList(), nullptr);
  pick(0);
  EXPECT_EQ(game().bag().countItem(tool("古びた鍵")), 2);
  pick(1);
  EXPECT_EQ(std::pair(game().money(), game().bag().countItem(tool("薬草"))), std::pair(47, 1));
  EXPECT_FALSE(press(*mShop, kCancel));
  EXPECT_EQ(mShop->sellList(), nullptr);
  EXPECT_TRUE(pick(1));  // さよなら
}

// A sale pays a quarter of the price (at least 1) by the uses left:
// 鉄の剣 240 with 120 uses (one spent: 60 x 119 / 120, 59), 投げナイフ 60 with 3,
// 薬草 30, 廃棄物 1.
TEST_F(ShopTest, BuyingAndSellingBackNeverGainsMoneyHaggledOrNot) {
  giveMerchant();
  for (const auto& [name, haggle, worn, paid, got] :
       {std::tuple{"鉄の剣", false, false, 240, 60}, {"鉄の剣", true, false, 216, 60}, {"鉄の剣", true, true, 216, 59},
        {"投げナイフ", true, true, 54, 10}, {"薬草", true, false, 27, 7}, {"廃棄物", false, false, 1, 1},
        {"廃棄物", true, false, 1, 1}}) {
    game().bag().clear();
    game().money() = 1000;
    open({{name, true}});
    if (haggle) {
      pick(2);
      pick(0);  // a second haggle keeps the price at ninety percent
      press(*mShop, Key::Up);
      press(*mShop, Key::Up);
    }
    pick(0);
    pick(0);
    press(*mShop, kCancel);
    EXPECT_EQ(game().money(), 1000 - paid) << name << haggle;
    if (worn) {
      Game::Article piece;
      game().bag().take(piece, 0);
      piece.useOne();
      game().bag().add(piece, 1);
    }
    pick(1);
    pick(0);
    EXPECT_EQ(std::pair(game().money(), game().bag().count()), std::pair(1000 - paid + got, 0)) << name << haggle;
  }
}

}  // namespace
