#pragma once

#include "Engine/Base/Types.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class Bag;
class PlayerGhost;
class ToolData;

// The bag as a list: one row per entry, "   " where the icon sits, the
// name padded to 23 columns, the sale price in sale mode and the number
// held, right-aligned in 5 columns each. Row ids are bag indices; the
// "はずす" row of the equip mode has kUnequipId.
class ItemMenu {
 public:
  // kThrow: the items a battle unit can throw (those with a battle art).
  enum Mode : Engine::i32 { kPlain = 0, kEquip = 1, kSale = 2, kUse = 3, kThrow = 4 };
  static constexpr Engine::i32 kUnequipId = -1;
  static constexpr Engine::i32 kAllCategories = 31;
  static constexpr Engine::i32 kVisibleRows = 15;
  static constexpr Engine::i32 kNameColumns = 23;
  static constexpr Engine::i32 kNumberColumns = 5;

  // ghost: only the items it may equip (null: every item); categoryMask:
  // in the equip mode, only items of those slot categories.
  void build(const Bag& bag, Mode mode, const PlayerGhost* ghost, Engine::i32 categoryMask);
  void buildForEquip(const Bag& bag, const PlayerGhost& ghost, Engine::i32 categoryMask) {
    build(bag, kEquip, &ghost, categoryMask);
  }
  void buildForSale(const Bag& bag) { build(bag, kSale, nullptr, kAllCategories); }
  void buildForUse(const Bag& bag) { build(bag, kUse, nullptr, kAllCategories); }
  void buildPlain(const Bag& bag) { build(bag, kPlain, nullptr, kAllCategories); }

  // The text of one entry's row (without the icon).
  static void rowText(String& out, const Bag& bag, Engine::i32 index, Mode mode);

  ListMenu& list() { return mList; }
  const ListMenu& list() const { return mList; }
  void placeCentered(float x, float y) { mList.placeCentered(x, y); }
  // The bag index under the cursor; kUnequipId for "はずす" or no row.
  Engine::i32 selectedIndex() const { return mList.selectedId(0); }
  // The item of the entry under the cursor; null for none.
  const ToolData* selectedItem() const;
  Engine::i32 update() { return mList.update(); }
  // The list, and the chosen entry's line right of it.
  void drawWithDetail(bool withCursor);

 private:
  const Bag* mBag = nullptr;
  ListMenu mList;
};

}  // namespace Game
