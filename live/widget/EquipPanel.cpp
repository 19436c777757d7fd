#include "live/widget/EquipPanel.h"

#include "live/Bag.h"
#include "live/Unit.h"
#include "live/unit/PlayerGhost.h"
#include "live/unit/UnitPanels.h"
#include "presentation/picture/GuiPictures.h"
#include "records/database/ToolData.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kEquipRowColor = 0xFFC0C0C0;
constexpr u32 kCaptionColor = 0xFFFFFF80;
constexpr i32 kFont = 0;
constexpr float kDetailGap = 32.f;
constexpr float kPanelDrop = 32.f;
constexpr const char* kCaptions[EquipPanel::kSlots] = {"武器", "武器", "武器", "腕", "頭", "足", "その他", "その他"};
constexpr i32 kMasks[EquipPanel::kSlots] = {1, 1, 1, 2, 4, 8, 16, 16};

}  // namespace

i32 EquipPanel::categoryMask(i32 slot) { return slot >= 0 && slot < kSlots ? kMasks[slot] : 0; }

void EquipPanel::buildSlots(Bag& bag, PlayerGhost& ghost) {
  mList.clear();
  for (const char* caption : kCaptions) {
    mList.addText(caption, kCaptionColor, kFont);
  }
  mList.setNextItemPosition(kSlotIndent, 0.f);
  String text;
  for (i32 i = 0; i < kSlots; ++i) {
    const Article& article = ghost.slot(i);
    text.assign("   ");
    text.append(article.isEmpty() ? "----------------" : article.item()->displayName());
    Widget::Text* row = mList.addItem(text.c_str(), i, kEquipRowColor, kFont);
    if (Model* icon = article.isEmpty() ? nullptr : GuiPictures::icon(article.item()->icon())) {
      row->addPicture(icon, RenderState());
    }
  }
  if (mGhost != &ghost) {
    mList.resetCursor();
  }
  mBag = &bag;
  mGhost = &ghost;
}

i32 EquipPanel::update(bool active) {
  mList.draw(true);
  if (mGhost) {
    const Unit unit(*mGhost);
    UnitPanels::drawEquipmentStatus(unit, mList.columnX(0.f), mList.rowY(1.f) - kPanelDrop, mList.width());
  }
  if (!active || !mGhost) {
    return 0;
  }
  const Article* shown = mGhost->getEquipment(mList.selectedId(0));
  if (shown) {
    shown->drawName(mList.columnX(1.f) + kDetailGap, mList.rowY(0.f));
  }
  if (mCandidates) {
    updateCandidates();
    return 0;
  }
  switch (mList.update()) {
    case ListMenu::kDecided:
      openCandidates();
      return 0;
    case ListMenu::kCancelled:
      return 2;
    default:
      return 0;
  }
}

void EquipPanel::updateCandidates() {
  mCandidates->drawWithDetail(true);
  switch (mCandidates->update()) {
    case ListMenu::kDecided:
      equipChosen();
      mCandidates.reset();
      break;
    case ListMenu::kCancelled:
      mCandidates.reset();
      break;
    default:
      break;
  }
}

void EquipPanel::openCandidates() {
  const i32 slot = mList.selectedId(0);
  if (slot < 0 || slot >= kSlots) {
    return;
  }
  mCandidates = std::make_unique<ItemMenu>();
  mCandidates->buildForEquip(*mBag, *mGhost, categoryMask(slot));
  mCandidates->placeCentered(mList.columnX(1.f) + kDetailGap, mList.rowY(1.f));
}

// The chosen entry leaves the bag, and what the slot held goes back in;
// "はずす" takes nothing and only empties the slot.
void EquipPanel::equipChosen() {
  const i32 slot = mList.selectedId(0);
  const i32 index = mCandidates->selectedIndex();
  Article chosen;
  if (index != ItemMenu::kUnequipId && !mBag->take(chosen, index)) {
    return;
  }
  Article previous;
  mGhost->swapEquipment(previous, chosen, slot);
  mBag->add(previous, 1);
  buildSlots(*mBag, *mGhost);
}

}  // namespace Game
