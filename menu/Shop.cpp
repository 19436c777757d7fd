#include "menu/Shop.h"

#include <algorithm>
#include <limits>

#include "core/container/Array2D.h"
#include "core/container/BitArray.h"
#include "core/container/IndexSorter.h"
#include "running/game/GameData.h"
#include "live/Bag.h"
#include "live/widget/ItemMenu.h"
#include "menu/ShopMenu.h"
#include "records/Database.h"

namespace Game {

using Engine::i32;
using Engine::i64;

namespace {

constexpr Engine::u32 kShopRowColor = 0xFFC0C0C0;
constexpr i32 kShopFont = 0;
constexpr i32 kMoneyLine = GameData::kMoney;
// Between the money line and the lists.
constexpr float kListGap = 2.f * 32.f;
constexpr i64 kHaggledPercent = 90;

// The item id; an item outside the database sorts last.
i32 sortKey(const ToolData* good) {
  const Database* database = Database::instance();
  const i32 id = database ? database->toolIndexOf(good) : -1;
  return id >= 0 ? id : std::numeric_limits<i32>::max();
}

// The goods in ascending sort key (the sorter orders greatest first), a
// good whose bit is clear made null.
std::vector<const ToolData*> shopOrder(const std::vector<const ToolData*>& goods, const BitArray& available) {
  Array2D<i32> keys;
  keys.setSize(static_cast<i32>(goods.size()));
  for (std::size_t i = 0; i < goods.size(); ++i) {
    keys.at(static_cast<Engine::u32>(i)) = sortKey(goods[i]);
  }
  IndexSorter<i32> sorter;
  sorter.buildFromArray(keys);
  std::vector<const ToolData*> ordered;
  for (Engine::u32 k = sorter.size(); k-- > 0;) {
    const Engine::u32 i = sorter.indexAt(k);
    const bool on = static_cast<i32>(i) < available.size() && available.get(static_cast<i32>(i));
    ordered.push_back(on ? goods[i] : nullptr);
  }
  return ordered;
}

}  // namespace

Shop::Shop(GameData& game, const std::vector<const ToolData*>& goods, const BitArray& available)
    : mGame(game), mGoods(shopOrder(goods, available)) {
  buildMainList(!goods.empty());
}

Shop::~Shop() = default;

i32 Shop::price(const ToolData* good, bool haggled) {
  if (!good) {
    return 0;
  }
  // A price below 0 would pay the buyer.
  const i64 full = std::max(good->price(), 0);
  if (!haggled || full == 0) {
    return static_cast<i32>(full);
  }
  // A priced good never comes free: it would sell back for its sell value.
  return static_cast<i32>(std::max<i64>(full * kHaggledPercent / 100, 1));
}

void Shop::addMoney(GameData& game, i64 delta) {
  i32& money = game.money();
  money = static_cast<i32>(std::clamp<i64>(static_cast<i64>(money) + delta, 0, std::numeric_limits<i32>::max()));
}

void Shop::buildMainList(bool anyGoods) {
  ListMenu& list = mMain.list();
  if (anyGoods) {
    list.addItem("買う", kBuy, kShopRowColor, kShopFont);
  }
  list.addItem("売る", kSell, kShopRowColor, kShopFont);
  if (mGame.party().fieldAbilities().merchant) {
    list.addItem("値切る", kHaggle, kShopRowColor, kShopFont);
  }
  list.addItem("さよなら", kLeave, kShopRowColor, kShopFont);
}

void Shop::placeLists() {
  float lineHeight = 0.f;
  mGame.drawStatistics(kLeft, kTop, kMoneyLine, nullptr, &lineHeight);
  mListTop = kTop - (kListGap + lineHeight);
  mMain.placeCentered(kLeft, mListTop);
}

bool Shop::update() {
  placeLists();
  if (mBuyList.isValid()) {
    mBuyList->placeTopLeft(kLeft, mListTop);
    if (mBuyList->update() == ListMenu::kCancelled) {
      mBuyList.reset();
    }
    return false;
  }
  if (mSellList.isValid()) {
    updateSellList();
    return false;
  }
  return updateMainList();
}

void Shop::drawBeneath() {
  placeLists();
  mMain.draw(true);
}

bool Shop::updateMainList() {
  mMain.draw(true);
  const i32 result = mMain.update();
  if (result == ListMenu::kCancelled) {
    return true;
  }
  if (result != ListMenu::kDecided) {
    return false;
  }
  switch (mMain.selectedId(0)) {
    case kBuy:
      mBuyList = new ShopMenu(mGame, mGoods, mHaggled);
      return false;
    case kSell:
      mSellList = new ItemMenu();
      mSellList->buildForSale(mGame.bag());
      return false;
    case kHaggle:
      mGame.pushMessage(kHaggled);
      mHaggled = true;
      return false;
    default:
      return true;
  }
}

void Shop::updateSellList() {
  mSellList->placeCentered(kLeft, mListTop);
  mSellList->drawWithDetail(true);
  const i32 result = mSellList->update();
  if (result == ListMenu::kCancelled) {
    mSellList.reset();
  } else if (result == ListMenu::kDecided) {
    sell(mSellList->selectedIndex());
  }
}

// The list keeps its cursor over the rebuild.
void Shop::sell(i32 index) {
  Bag& bag = mGame.bag();
  const Bag::Entry* entry = index >= 0 ? bag.at(index) : nullptr;
  if (!entry || entry->article.sellValue() <= 0) {
    return;
  }
  const i32 value = entry->article.sellValue();
  Article sold;
  if (!bag.take(sold, index)) {
    return;
  }
  addMoney(mGame, value);
  mSellList->buildForSale(bag);
}

}  // namespace Game
