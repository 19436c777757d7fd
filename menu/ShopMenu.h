#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "live/widget/ContentMenu.h"

namespace Game {

class GameData;
class String;
class ToolData;

// The shop's buy list: one row per good with its price and the number the
// party owns; a null good is sold out. Deciding a good the money covers
// buys one piece of it.
class ShopMenu {
 public:
  static constexpr Engine::i32 kVisibleRows = 15;
  static constexpr Engine::i32 kNameColumns = 20;
  static constexpr Engine::i32 kNumberColumns = 5;
  static constexpr const char* kHeader = "買う                    価格 所持";
  static constexpr const char* kSoldOut = "   品切れ";
  static constexpr Engine::u32 kRowColor = 0xFFC0C0C0;
  static constexpr Engine::u32 kShortColor = 0xFFFF8080;
  static constexpr Engine::u32 kSoldOutColor = 0xFF080808;

  // goods and haggled stay the shop's; they must outlive the list.
  ShopMenu(GameData& game, const std::vector<const ToolData*>& goods, const bool& haggled);

  // The list's top-left corner.
  void placeTopLeft(float x, float y) { mMenu.placeCentered(x, y); }
  // Once per frame: draws the list and the good under the cursor; 2 on
  // cancel, else 0.
  Engine::i32 update();
  // The rows again from the goods, the prices and the money.
  void rebuild();

  // A row's text: "   ", the name in exactly 20 columns, the price and the
  // count in 5 columns each.
  static void rowText(String& out, const ToolData& good, Engine::i32 price, Engine::i32 owned);
  // text cut to whole characters within columns, then padded to exactly
  // that many (a two-byte character is two columns).
  static void appendField(String& out, const char* text, Engine::i32 columns);

  const ListMenu& list() const { return mMenu.list(); }

 private:
  void buy(Engine::i32 index);

  GameData& mGame;
  const std::vector<const ToolData*>& mGoods;
  const bool& mHaggled;
  ContentMenu mMenu;
};

}  // namespace Game
