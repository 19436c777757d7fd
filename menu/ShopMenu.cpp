#include "menu/ShopMenu.h"

#include <algorithm>
#include <string>

#include "running/game/GameData.h"
#include "core/string/String.h"
#include "live/Bag.h"
#include "live/article/Article.h"
#include "menu/Shop.h"
#include "presentation/picture/GuiPictures.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;

namespace {

constexpr Engine::u32 kShopMenuTitleColor = 0xFFFFFF80;
constexpr i32 kShopMenuFont = 0;
constexpr float kSpecGap = 32.f;
constexpr float kSpecScale = 1.f;
// Where the icon sits at the start of a row.
constexpr const char* kIconRoom = "   ";

void appendNumber(String& out, i32 value) {
  String field;
  field.assignNumber(value, ShopMenu::kNumberColumns, false);
  out.append(field.c_str());
}

}  // namespace

ShopMenu::ShopMenu(GameData& game, const std::vector<const ToolData*>& goods, const bool& haggled)
    : mGame(game), mGoods(goods), mHaggled(haggled) {
  mMenu.list().setTitle(kHeader, kShopMenuFont, kShopMenuTitleColor);
  rebuild();
}

void ShopMenu::appendField(String& out, const char* text, i32 columns) {
  std::string field;
  i32 used = 0;
  for (const char* p = text; p && *p != '\0';) {
    // A byte with the high bit set starts a two-byte character.
    const i32 width = (static_cast<unsigned char>(*p) & 0x80) != 0 && p[1] != '\0' ? 2 : 1;
    if (used + width > columns) {
      break;
    }
    field.append(p, static_cast<std::size_t>(width));
    used += width;
    p += width;
  }
  field.append(static_cast<std::size_t>(std::max(columns - used, 0)), ' ');
  out.append(field.c_str());
}

void ShopMenu::rowText(String& out, const ToolData& good, i32 price, i32 owned) {
  out.assign(kIconRoom);
  appendField(out, good.displayName(), kNameColumns);
  appendNumber(out, price);
  appendNumber(out, owned);
}

void ShopMenu::rebuild() {
  ListMenu& list = mMenu.list();
  list.clear();
  String text;
  for (std::size_t i = 0; i < mGoods.size(); ++i) {
    const ToolData* good = mGoods[i];
    if (!good) {
      list.addItem(kSoldOut, static_cast<i32>(i), kSoldOutColor, kShopMenuFont);
      continue;
    }
    const i32 price = Shop::price(good, mHaggled);
    rowText(text, *good, price, mGame.countItem(good));
    const Engine::u32 color = mGame.money() < price ? kShortColor : kRowColor;
    Widget::Text* row = list.addItem(text.c_str(), static_cast<i32>(i), color, kShopMenuFont);
    if (Model* icon = GuiPictures::icon(good->icon())) {
      row->addPicture(icon, RenderState());
    }
  }
  list.setVisibleRows(kVisibleRows);
}

i32 ShopMenu::update() {
  mMenu.draw(true);
  const i32 index = mMenu.selectedId(0);
  const ToolData* good = index >= 0 && index < static_cast<i32>(mGoods.size()) ? mGoods[static_cast<std::size_t>(index)]
                                                                              : nullptr;
  if (good) {
    const ListMenu& list = mMenu.list();
    good->drawSpec(list.columnX(1.f) + kSpecGap, list.rowY(0.f), good->energy(), kSpecScale);
  }
  const i32 result = mMenu.update();
  if (result == ListMenu::kCancelled) {
    return ListMenu::kCancelled;
  }
  if (result == ListMenu::kDecided && good) {
    buy(index);
  }
  return ListMenu::kNothing;
}

// A good the money does not cover changes nothing.
void ShopMenu::buy(i32 index) {
  const ToolData* good = mGoods[static_cast<std::size_t>(index)];
  const i32 price = Shop::price(good, mHaggled);
  if (mGame.money() < price) {
    return;
  }
  Shop::addMoney(mGame, -static_cast<Engine::i64>(price));
  mGame.bag().add(Article::fromItem(good), 1);
  rebuild();
}

}  // namespace Game
