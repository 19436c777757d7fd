#include "menu/StatusBoost.h"

#include <algorithm>
#include <cstdio>

#include "records/stats/AttackBlock.h"
#include "records/stats/DefenseBlock.h"
#include "live/unit/PlayerGhost.h"
#include "presentation/ui/UiDraw.h"
#include "records/constance/Constance.h"

namespace Game::IntermissionStuff {

using Engine::i32;

namespace {

constexpr i32 kFont = 1;
constexpr Engine::u32 kGaugeFill = 0xFF80C0FF;
constexpr Engine::u32 kGaugeBack = 0xFF404040;
// The gauge sits halfway down its row.
constexpr float kGaugeDrop = 14.f;

void appendNumber(String& out, i32 value, i32 digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%*d", static_cast<int>(digits), static_cast<int>(value));
  out.append(text);
}

}  // namespace

void StatusBoost::rows(const PlayerGhost& ghost, BoostRow (&out)[Parameters::kCount]) {
  Parameters now;
  Parameters next;
  i32 weapon = 0;
  AttackBlock attack;
  DefenseBlock defense;
  ghost.gatherBaseStats(now, weapon, attack, defense);
  ghost.gatherBoostedStats(next, weapon, attack, defense);
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    out[i] = BoostRow{ghost.boostCost(i), now[i], next[i]};
  }
}

void StatusBoost::rowText(String& out, const BoostRow& row) {
  out.assign("");
  if (row.cost != 0) {
    appendNumber(out, row.cost, 2);
    out.padRight(4);
  }
  appendNumber(out, row.value, 4);
  if (row.cost != 0) {
    out.append(" → ");
    appendNumber(out, row.next, 4);
  }
}

float StatusBoost::gaugeFraction(i32 boosts) {
  return static_cast<float>(std::clamp(boosts, 0, PlayerGhost::kMaxBoosts)) / static_cast<float>(PlayerGhost::kMaxBoosts);
}

void StatusBoost::open(GameData&, PlayerGhost& ghost) {
  build(ghost);
  mList.placeCentered(kSheetX, belowSheet(ghost));
}

void StatusBoost::build(const PlayerGhost& ghost) {
  const i32 cursor = mList.hasCursor() ? mList.selectedId(0) : 0;
  mList.clear();
  mList.setTitle("     cost", kFont, kNameColor);
  BoostRow values[Parameters::kCount];
  rows(ghost, values);
  String text;
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    const float y = -kRowHeight * static_cast<float>(i);
    mList.setNextItemPosition(0.f, y);
    mList.addItem(Constance::instance()->parameterName(i), i, kNameColor, kFont);
    mList.setNextItemPosition(kValueX, y);
    rowText(text, values[i]);
    mList.addText(text.c_str(), ghost.bonusPoint() < values[i].cost ? kShortColor : kValueColor, kFont);
  }
  mList.growTo(kWidth, kRowHeight * Parameters::kCount);
  mList.setCursorById(cursor);
}

void StatusBoost::drawGauges(const PlayerGhost& ghost) const {
  const float left = mList.columnX(0.f) + kGaugeX;
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    const float fraction = gaugeFraction(ghost.bonus()[i]);
    const float top = mList.contentTop() + mList.scroll() - kRowHeight * static_cast<float>(i) - kGaugeDrop;
    UiDraw::drawPictureRect(fraction, kGaugeFill, kGaugeBack, left, top, kGaugeWidth, kGaugeHeight, 0.f);
  }
}

i32 StatusBoost::updateMember(GameData&, PlayerGhost& ghost) {
  mList.draw(true);
  drawGauges(ghost);
  switch (mList.update()) {
    case ListMenu::kDecided:
      if (ghost.boostParameter(mList.selectedId(0))) {
        build(ghost);
      }
      return 0;
    case ListMenu::kCancelled:
      return 1;
    default:
      return 0;
  }
}

}  // namespace Game::IntermissionStuff
