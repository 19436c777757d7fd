#include "menu/Shop.h"

#include <limits>
#include <tuple>
#include <utility>

#include "core/container/BitArray.h"
#include "data/article/Article.h"
#include "data/widget/ItemMenu.h"
#include "menu/ShopMenu.h"
#include "resource/database/ToolData.h"
#include "tests/menu/MenuFixture.h"

namespace {

using Engine::i32;
using Game::Shop;
using Game::ShopMenu;
using Platform::Key;

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
  bool frame(std::initializer_list<Key> held = {}) {
    step(held);
    return mShop->update();
  }
  // Waits until the open list takes input, then one press; the shop's
  // answer on the press.
  bool tap(Key key) {
    for (int i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame();
    const bool left = frame({key});
    if (!left) frame();
    return left;
  }
  // Down n times, then decide.
  bool pick(int n) {
    for (int i = 0; i < n; ++i) tap(Key::Down);
    return tap(kDecide);
  }
  void addToBag(const char* name) { game().bag().add(Game::Article::fromItem(tool(name)), 1); }

  std::unique_ptr<Shop> mShop;
};

TEST_F(ShopTest, TheGoodsStandInItemOrderWithTheSoldOutAsNull) {
  Shop& shop = open({{"魔法鍵", true}, {"鉄の剣", true}, {"薬草", false}, {"革の鎧", true}});
  EXPECT_EQ(shop.goods(), (std::vector<const Game::ToolData*>{nullptr, tool("鉄の剣"), tool("革の鎧"), tool("魔法鍵")}));
}

TEST_F(ShopTest, TheMainListOffersBuyingOnlyWithGoodsAndHagglingOnlyToAMerchant) {
  const std::vector<std::tuple<bool, bool, std::vector<std::string>>> cases = {
      {true, false, {"買う", "売る", "さよなら"}},
      {false, false, {"売る", "さよなら"}},
      {true, true, {"買う", "売る", "値切る", "さよなら"}},
  };
  for (const auto& [withGoods, merchant, expected] : cases) {
    if (merchant) giveMerchant();
    Shop& shop = withGoods ? open({{"薬草", false}}) : open({});
    EXPECT_EQ(rows(shop.mainList()), expected) << withGoods << merchant;
  }
}

TEST_F(ShopTest, GoodsAllSoldOutStillOpenTheBuyListOfSoldOutRowsThatSellNothing) {
  Shop& shop = open({{"薬草", false}, {"鉄の剣", false}});
  game().money() = 1000;
  EXPECT_FALSE(tap(kDecide));
  ASSERT_NE(shop.buyList(), nullptr);
  EXPECT_EQ(rows(shop.buyList()->list()), (std::vector<std::string>{"   品切れ", "   品切れ"}));
  EXPECT_EQ(color(shop.buyList()->list(), 1), 0xFF080808u);
  tap(kDecide);
  EXPECT_EQ(std::pair(game().money(), game().bag().count()), std::pair(1000, 0));
  EXPECT_FALSE(tap(kCancel));
  EXPECT_EQ(shop.buyList(), nullptr);
  EXPECT_TRUE(tap(kCancel));  // leaves the shop
}

TEST_F(ShopTest, APriceIsTheItemsOrNinetyPercentOnceHaggled) {
  const std::vector<std::tuple<i32, bool, i32>> cases = {
      {240, false, 240}, {240, true, 216}, {15, true, 13}, {1, true, 0}, {2000000000, true, 1800000000},
  };
  for (const auto& [full, haggled, expected] : cases) {
    Game::ToolData good("品", "品");
    good.setPrice(full);
    EXPECT_EQ(Shop::price(&good, haggled), expected) << full << haggled;
  }
  EXPECT_EQ(Shop::price(nullptr, false), 0);
}

TEST_F(ShopTest, MoneyStaysBetweenZeroAndTheLargestInteger) {
  constexpr i32 kMax = std::numeric_limits<i32>::max();
  const std::vector<std::tuple<i32, Engine::i64, i32>> cases = {
      {10, -3, 7}, {10, -10, 0}, {10, -11, 0}, {kMax - 5, 5, kMax}, {kMax - 5, 6, kMax}, {-4, 1, 0}};
  for (const auto& [money, delta, expected] : cases) {
    game().money() = money;
    Shop::addMoney(game(), delta);
    EXPECT_EQ(game().money(), expected) << money << " " << delta;
  }
}

// 鉄の剣 costs 240.
TEST_F(ShopTest, BuyingTakesThePriceOnlyWhenTheMoneyCoversIt) {
  const std::vector<std::tuple<i32, Engine::u32, i32, i32, std::string>> cases = {
      {239, 0xFFFF8080, 239, 0, "   鉄の剣                240    0"},
      {240, 0xFFC0C0C0, 0, 1, "   鉄の剣                240    1"},
      {1000, 0xFFC0C0C0, 760, 1, "   鉄の剣                240    1"},
  };
  for (const auto& [money, shade, moneyAfter, owned, rowAfter] : cases) {
    game().bag().clear();
    game().money() = money;
    Shop& shop = open({{"薬草", false}, {"鉄の剣", true}});
    tap(kDecide);
    ASSERT_NE(shop.buyList(), nullptr);
    EXPECT_EQ(color(shop.buyList()->list(), 1), shade) << money;
    pick(1);
    EXPECT_EQ(std::tuple(game().money(), game().bag().countItem(tool("鉄の剣"))), std::tuple(moneyAfter, owned));
    EXPECT_EQ(rows(shop.buyList()->list())[1], rowAfter) << money;
  }
}

TEST_F(ShopTest, HagglingTwiceSaysSoTwiceAndKeepsPricesAtNinetyPercent) {
  giveMerchant();
  game().money() = 216;
  Shop& shop = open({{"鉄の剣", true}});
  pick(2);
  pick(0);
  EXPECT_EQ(game().messages().count(), 2);
  EXPECT_EQ(shop.price(tool("鉄の剣")), 216);
  tap(Key::Up);
  tap(Key::Up);
  pick(0);  // 買う, then the sword
  pick(0);
  EXPECT_EQ(std::pair(game().money(), game().bag().countItem(tool("鉄の剣"))), std::pair(0, 1));
}

// 古びた鍵 sells for nothing, 薬草 for 30.
TEST_F(ShopTest, SellingTakesOnePieceForItsValueButNothingForNoValue) {
  addToBag("古びた鍵");
  addToBag("薬草");
  game().money() = std::numeric_limits<i32>::max() - 10;
  Shop& shop = open({});
  pick(0);
  ASSERT_NE(shop.sellList(), nullptr);
  pick(0);
  EXPECT_EQ(game().bag().countItem(tool("古びた鍵")), 1);
  pick(1);
  EXPECT_EQ(std::pair(game().money(), game().bag().countItem(tool("薬草"))),
            std::pair(std::numeric_limits<i32>::max(), 0));
  EXPECT_FALSE(tap(kCancel));
  EXPECT_EQ(shop.sellList(), nullptr);
  EXPECT_TRUE(pick(1));  // さよなら
}

TEST_F(ShopTest, ANameFieldIsCutAtWholeCharactersAndPaddedToItsColumns) {
  const std::vector<std::tuple<std::string, i32, std::string>> cases = {
      {"薬草", 6, "薬草  "},
      {"abcdef", 4, "abcd"},
      {"aaa薬", 4, "aaa "},
      {"薬草薬", 6, "薬草薬"},
      {"", 2, "  "},
  };
  for (const auto& [text, columns, expected] : cases) {
    Game::String out("x");
    ShopMenu::appendField(out, text.c_str(), columns);
    EXPECT_EQ(std::string(out.c_str()), "x" + expected) << text;
  }
}

}  // namespace
