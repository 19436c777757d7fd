// What the command screen shows: the party's status windows and energy
// gauge, the synchro panel, and the units lit up as the player aims.

#include <algorithm>

#include "battle/Battle.h"
#include "live/Unit.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/scene/SceneNode.h"
#include "records/database/SynchroData.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr float kWindowStep = 128.f;
constexpr float kWindowLeft = -320.f;
constexpr float kWindowY = -180.f;
constexpr float kRaisedWindowY = -164.f;
// The energy gauge stands over the party's windows, its three rows (58.5
// units) clear of a raised one: the top-left corner is where the weapon's
// description, the bag and the target list open.
constexpr float kGaugeX = -320.f;
constexpr float kGaugeY = -96.f;
constexpr float kGaugeScale = 1.f;
constexpr u32 kSynchroColour = 0xFFC0C0C0;
constexpr i32 kSynchroFont = 0;
constexpr float kSynchroRight = 320.f;
constexpr float kSynchroY = 200.f;
// A highlighted unit glows warm, pulsing every 16 frames.
constexpr i32 kPulseFrames = 16;
const Color kHighlightBright(1.f, 1.f, 1.f, 0.55f);
const Color kHighlightDim(1.f, 1.f, 0.85f, 0.7f);
const Color kPlain(1.f, 1.f, 1.f, 1.f);

}  // namespace

// Only places the windows: the units draw them every frame (drawStatusWindows),
// so that they stay on screen through the casts and the turn's end.
void Battle::lineUpParty(const Unit* current, i32 pendingCost) {
  i32 shown = 0;
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    const Unit& unit = entry->current();
    if (unit.side() != 0 || !unit.isAlive()) {
      entry->takeDownWindow();
      continue;
    }
    const float x = static_cast<float>(shown++) * kWindowStep + kWindowLeft;
    entry->placeWindow(x, &unit == current ? kRaisedWindowY : kWindowY);
  }
  if (const GuiPictures* pictures = GuiPictures::instance()) {
    const BattleSide& party = side(0);
    pictures->drawGaugeStack(kGaugeX, kGaugeY, kGaugeScale, false, party.pool(), party.capacity(),
                             party.regeneration(), pendingCost);
  }
}

void Battle::drawStatusWindows() const {
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    if (const UnitEntry::WindowPlace* window = entry->window()) {
      entry->current().drawStatusPanel(window->x, window->y);
    }
  }
}

// Two grey rows a group: its name and what it does.
void Battle::rebuildSynchroPanel() {
  mSynchroPanel.clear();
  mSynchroPanel.setSize(0.f, 0.f);
  for (const SynchroData* group : mSynchro.active()) {
    mSynchroPanel.addText(group->name(), kSynchroColour, kSynchroFont);
    mSynchroPanel.addText(group->help(), kSynchroColour, kSynchroFont);
  }
  mSynchroPanel.placeCentered(kSynchroRight - mSynchroPanel.width(), kSynchroY);
}

void Battle::showSynchroPanel() {
  if (!mSynchro.active().empty()) {
    mSynchroPanel.draw(false);
  }
}

void Battle::highlight(const Unit& unit) {
  if (!isHighlighted(unit)) {
    mHighlighted.push_back(&unit);
  }
}

bool Battle::isHighlighted(const Unit& unit) const {
  return std::find(mHighlighted.begin(), mHighlighted.end(), &unit) != mHighlighted.end();
}

// Last frame's highlights show now; a unit no longer named turns plain
// (the units still named are lit again before anything is drawn).
void Battle::drawHighlights() {
  for (const Unit* unit : mShownHighlights) {
    if (SceneNode* node = entryOf(*unit) ? unit->node() : nullptr) {
      node->setColor(kPlain);
    }
  }
  mShownHighlights.swap(mHighlighted);
  mHighlighted.clear();
  const bool bright = (mFrame / kPulseFrames) % 2 == 0;
  for (const Unit* unit : mShownHighlights) {
    if (SceneNode* node = entryOf(*unit) ? unit->node() : nullptr) {
      node->setColor(bright ? kHighlightBright : kHighlightDim);
    }
  }
}

}  // namespace Game
