#include "live/widget/ItemMenu.h"

#include "live/Bag.h"
#include "live/unit/PlayerGhost.h"
#include "presentation/picture/GuiPictures.h"
#include "records/database/ShellData.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kItemRowColor = 0xFFC0C0C0;
constexpr u32 kItemTitleColor = 0xFFFFFF80;
constexpr u32 kUnsellableColor = 0xFF080808;
constexpr i32 kItemFont = 0;
constexpr float kItemDetailGap = 32.f;
// Where the icon sits at the start of a row.
constexpr const char* kIconRoom = "   ";

bool isShown(const ToolData& item, ItemMenu::Mode mode, const PlayerGhost* ghost, i32 categoryMask) {
  if (mode == ItemMenu::kEquip && (item.slotMask() & categoryMask) == 0) {
    return false;
  }
  if (mode == ItemMenu::kUse && item.script()[0] == '\0') {
    return false;
  }
  if (mode == ItemMenu::kThrow && item.throwArt().count() == 0) {
    return false;
  }
  return !ghost || !ghost->shell() || item.isUsableBy(ghost->shell()->name());
}

void appendNumber(String& out, i32 value) {
  String field;
  field.assignNumber(value, ItemMenu::kNumberColumns, false);
  out.append(field.c_str());
}

}  // namespace

void ItemMenu::rowText(String& out, const Bag& bag, i32 index, Mode mode) {
  out.assign(kIconRoom);
  const Bag::Entry* entry = bag.at(index);
  if (!entry || entry->article.isEmpty()) {
    return;
  }
  out.append(entry->article.item()->displayName());
  out.padRight(kNameColumns);
  if (mode == kSale) {
    const i32 price = entry->article.sellValue();
    if (price < 1) {
      out.append("     ");
    } else {
      appendNumber(out, price);
    }
  }
  appendNumber(out, entry->number);
}

void ItemMenu::build(const Bag& bag, Mode mode, const PlayerGhost* ghost, i32 categoryMask) {
  mBag = &bag;
  mList.clear();
  mList.setSize(0.f, 0.f);
  if (mode == kEquip) {
    mList.addItem("はずす", kUnequipId, kItemRowColor, kItemFont);
  }
  mList.setTitle(mode == kSale ? "売る                    価格 所持" : "名前                    所持", kItemFont,
                 kItemTitleColor);
  bool added = false;
  String text;
  for (i32 i = 0; i < bag.count(); ++i) {
    const Article& article = bag.at(i)->article;
    if (article.isEmpty() || !isShown(*article.item(), mode, ghost, categoryMask)) {
      continue;
    }
    rowText(text, bag, i, mode);
    const bool unsellable = mode == kSale && article.sellValue() < 1;
    Widget::Text* row = mList.addItem(text.c_str(), i, unsellable ? kUnsellableColor : kItemRowColor, kItemFont);
    if (Model* icon = GuiPictures::icon(article.item()->icon())) {
      row->addPicture(icon, RenderState());
    }
    added = true;
  }
  if (!added) {
    mList.addText("アイテムなし！", kItemRowColor, kItemFont);
  }
  mList.setVisibleRows(kVisibleRows);
}

const ToolData* ItemMenu::selectedItem() const {
  const i32 index = selectedIndex();
  const Bag::Entry* entry = mBag && index >= 0 ? mBag->at(index) : nullptr;
  return entry ? entry->article.item() : nullptr;
}

void ItemMenu::drawWithDetail(bool withCursor) {
  mList.draw(withCursor);
  const i32 index = selectedIndex();
  if (const Bag::Entry* entry = mBag && index >= 0 ? mBag->at(index) : nullptr) {
    entry->article.drawName(mList.columnX(1.f) + kItemDetailGap, mList.rowY(0.f));
  }
}

}  // namespace Game
