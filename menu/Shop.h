#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/container/AutoPtr.h"
#include "live/widget/ContentMenu.h"

namespace Game {

class BitArray;
class GameData;
class ItemMenu;
class ShopMenu;
class ToolData;

// The shop an event script opens: buying the listed goods, selling from the
// bag at the items' sell values and, with the field ability "あきんど",
// haggling the prices down to 90 percent for the rest of the visit.
class Shop {
 public:
  // Main list ids.
  enum Row : Engine::i32 { kBuy = 0, kSell = 1, kLeave = 2, kHaggle = 3 };
  static constexpr const char* kHaggleAbility = "あきんど";
  static constexpr const char* kHaggled = "値切った！";
  static constexpr float kLeft = -320.f;
  static constexpr float kTop = 240.f;

  // One availability bit per good; goods are shown in ascending item id, an
  // unavailable one as sold out.
  Shop(GameData& game, const std::vector<const ToolData*>& goods, const BitArray& available);
  ~Shop();
  Shop(const Shop&) = delete;
  Shop& operator=(const Shop&) = delete;

  // One frame; true when the player leaves.
  bool update();
  // The money line and the main list without input, while the message that
  // haggling queued stands over them.
  void drawBeneath();

  // The price of a good, never below 0, and haggled at least 1 for a
  // priced good; 0 for none.
  static Engine::i32 price(const ToolData* good, bool haggled);
  Engine::i32 price(const ToolData* good) const { return price(good, mHaggled); }
  // Money changed by delta, kept within 0 and the largest integer.
  static void addMoney(GameData& game, Engine::i64 delta);

  GameData& game() const { return mGame; }
  // In shop order, null where sold out.
  const std::vector<const ToolData*>& goods() const { return mGoods; }
  bool isAvailable(Engine::i32 i) const { return mGoods[static_cast<std::size_t>(i)] != nullptr; }
  bool isHaggled() const { return mHaggled; }
  const ListMenu& mainList() const { return mMain.list(); }
  const ShopMenu* buyList() const { return mBuyList.get(); }
  const ItemMenu* sellList() const { return mSellList.get(); }

 private:
  void buildMainList(bool anyGoods);
  void placeLists();
  bool updateMainList();
  void updateSellList();
  void sell(Engine::i32 index);

  GameData& mGame;
  std::vector<const ToolData*> mGoods;
  ContentMenu mMain;
  AutoPtr<ShopMenu> mBuyList;
  AutoPtr<ItemMenu> mSellList;
  bool mHaggled = false;
  float mListTop = kTop;
};

}  // namespace Game
