#include "live/widget/StatusScreen.h"

#include "live/unit/PlayerGhost.h"
#include "live/unit/StatusSheet.h"
#include "live/unit/UnitPanels.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

using Engine::i32;

StatusScreen::StatusScreen(PlayerGhost& ghost, Bag& bag) : mGhost(ghost), mUnit(ghost) {
  mUnit.recompute();
  mUnit.clamp();
  mSlots.buildSlots(bag, ghost);
  mSlots.placeCentered(kSlotsX, kSlotsY);
  mArts.buildWithCosts(ghost.abilities());
  mArts.placeCentered(kArtsX, kArtsY);
}

void StatusScreen::draw() {
  mGhost.drawFace(kFaceSide);
  mGhost.drawSheet(kSheetX, kSheetY, true, true, StatusSheet::kAllRows);
  mSlots.update(false);
  UnitPanels::drawDetailPanels(mUnit, kPanelsX, kPanelsY);
}

i32 StatusScreen::update() {
  draw();
  const i32 result = mArts.update();
  mArts.draw();
  return result == ListMenu::kCancelled ? 2 : 0;
}

}  // namespace Game
