// The list of units an art can be aimed at, with its area shown around the
// one under the cursor.

#include <algorithm>

#include "battle/Battle.h"
#include "battle/CommandMenu.h"
#include "battle/TargetArea.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"

namespace Game {

using Engine::i32;

namespace {

constexpr i32 kFont = 1;
constexpr i32 kNoCandidate = 2;

bool isStealthy(const Unit* unit) { return unit->abilities().has(TargetMenu::kStealth); }

void label(String& out, const Unit& unit) {
  out.assign(unit.ghost().getName());
  out.append(" Lv");
  String level;
  level.assignNumber(unit.level(), 0, false);
  out.append(level.c_str());
}

}  // namespace

// Fallen party units stand on their cells too and can be aimed at.
TargetMenu::TargetMenu(Battle& battle, Unit& actor, const Ability& art)
    : mBattle(battle), mActor(actor), mArea(art.isValid() ? art.area() : TargetArea::kNone) {
  TargetArea reach;
  reach.init(battle);
  BattleGrid::markAbilityArea(reach, actor, art);
  reach.collectUnits(mCandidates);
  const bool allStealthy = std::all_of(mCandidates.begin(), mCandidates.end(), isStealthy);
  addRows(!allStealthy);
  mList.placeCentered(kX, kY);
}

// A row per candidate; other enemies greyed only when the first candidate
// is an enemy, so the player sees who stands out of reach.
void TargetMenu::addRows(bool stealthGreyed) {
  const bool enemiesAimed = !mCandidates.empty() && mCandidates.front()->side() == 1;
  String text;
  for (i32 i = 0; i < mBattle.unitCount(); ++i) {
    Unit* unit = mBattle.unitAt(i);
    const auto found = std::find(mCandidates.begin(), mCandidates.end(), unit);
    label(text, *unit);
    if (found == mCandidates.end()) {
      if (enemiesAimed && unit->side() == 1) {
        mList.addText(text.c_str(), kGreyColour, kFont);
      }
    } else if (stealthGreyed && isStealthy(unit)) {
      mList.addText(text.c_str(), kGreyColour, kFont);
    } else {
      mList.addItem(text.c_str(), static_cast<i32>(found - mCandidates.begin()), kRowColour, kFont);
    }
  }
}

Unit* TargetMenu::highlighted() const {
  const i32 id = mList.selectedId(0);
  return id >= 0 && id < static_cast<i32>(mCandidates.size()) ? mCandidates[static_cast<std::size_t>(id)] : nullptr;
}

i32 TargetMenu::update(i32 pendingCost) {
  ++mFrame;
  if (mCandidates.empty()) {
    return kNoCandidate;
  }
  const i32 result = mList.update();
  if (const Unit* target = highlighted()) {
    showArea(*target, pendingCost);
  }
  mList.draw(true);
  return result;
}

void TargetMenu::showArea(const Unit& target, i32 pendingCost) {
  TargetArea area;
  area.init(mBattle);
  area.markArea(target.side(), target.row(), target.column(), mArea);
  mBattle.highlight(target);
  mBattle.centerCamera(target);
  std::vector<Unit*> inside;
  area.collectUnits(inside);
  for (const Unit* unit : inside) {
    mBattle.highlight(*unit);
  }
  mBattle.lineUpParty(&mActor, pendingCost);
}

}  // namespace Game
