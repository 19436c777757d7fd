#include "live/unit/UnitPanels.h"

#include <algorithm>

#include "live/Unit.h"
#include "live/unit/Ghost.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kTextColor = 0xFFC0C0C0;
constexpr u32 kLabelColor = 0xFFFFFF80;
constexpr u32 kWarningColor = 0xFFFF8080;
constexpr u32 kFrameColor = 0xFFFFFFFF;
constexpr u32 kLpFill = 0xFFFFFF00;
constexpr u32 kLpBack = 0xFF800000;
constexpr u32 kHpFill = 0xFF00FF00;
constexpr u32 kHpBack = 0xFF404040;
constexpr i32 kPanelFont = 1;
constexpr i32 kSmallNameFont = 0;
constexpr i32 kPanelColumns = 10;
constexpr i32 kPanelRows = 4;
constexpr float kPanelMargin = 12.f;
constexpr float kGaugeDrop = 26.f;
constexpr float kGaugeHeight = 6.f;
constexpr float kValuesDrop = 32.f;
// "武器" and 5 digits, a blank, "防御" and 5 digits, a blank, "魔防" and 5 digits.
constexpr i32 kEquipmentStatusColumns = 3 * (4 + 5) + 2;

float ratio(i32 value, i32 max) {
  return max > 0 ? std::clamp(static_cast<float>(value) / static_cast<float>(max), 0.f, 1.f) : 0.f;
}

// A yellow label and its value on one line.
void printLabelled(TextWriter& writer, const char* label, i32 value, i32 digits, u32 argb, bool endLine = true) {
  writer.setColor(kLabelColor);
  writer.continueLine();
  writer.print(label);
  writer.setColor(argb);
  if (!endLine) {
    writer.continueLine();
  }
  writer.printNumber(value, digits);
}

}  // namespace

void Unit::drawLifeGauge(float x, float y, float width, float height) const {
  const i32 total = maxHp() + maxLp();
  const float lpWidth = total > 0 ? width * static_cast<float>(maxLp()) / static_cast<float>(total) : 0.f;
  if (lpWidth > 0.f) {
    UiDraw::drawPictureRect(ratio(lp(), maxLp()), kLpFill, kLpBack, x, y, lpWidth, height, 0.f);
  }
  if (width - lpWidth > 0.f) {
    UiDraw::drawPictureRect(ratio(hp(), maxHp()), kHpFill, kHpBack, x + lpWidth, y, width - lpWidth, height, 0.f);
  }
}

void Unit::drawStatusPanel(float x, float y) const {
  i32 w = 0;
  i32 h = 0;
  TextWriter::measureCells(&w, &h, kPanelColumns, kPanelRows, kPanelFont);
  const float width = static_cast<float>(w) + kPanelMargin;
  const float height = static_cast<float>(h) + kPanelMargin;
  UiDraw::drawFrame(x, y, width, height, kFrameColor, false);
  drawLifeGauge(x, y - kGaugeDrop, width, kGaugeHeight);
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  writer.setPosition(static_cast<i32>(x), static_cast<i32>(y));
  writer.setColor(holdsBadState() ? kWarningColor : kTextColor);
  writer.setFont(UnitPanels::statusNameFont(mGhost.getName()));
  writer.print(mGhost.getName());
  writer.setFont(kPanelFont);
  writer.setPosition(static_cast<i32>(x), static_cast<i32>(y - kValuesDrop));
  printLabelled(writer, "HP", hp(), 4, isInDanger() ? kWarningColor : kTextColor);
  printLabelled(writer, "LP", lp(), 4, kTextColor);
  writer.setColor(kLabelColor);
  writer.continueLine();
  writer.print("AP");
  writer.setColor(kTextColor);
  for (i32 tier = 0; tier < Ghost::kApTiers; ++tier) {
    if (tier > 0) {
      writer.continueLine();
      writer.print("/");
    }
    if (tier + 1 < Ghost::kApTiers) {
      writer.continueLine();
    }
    writer.printNumber(mGhost.getAp(tier), 2);
  }
}

namespace UnitPanels {

// A name wider than the panel's columns is written small, so that it stays
// inside the panel (盾のトヴァン takes twelve).
i32 statusNameFont(const char* name) {
  i32 columns = 0;
  i32 rows = 0;
  i32 width = 0;
  i32 height = 0;
  TextWriter::measure(&columns, &rows, &width, &height, name, kPanelFont);
  return columns > kPanelColumns ? kSmallNameFont : kPanelFont;
}

// The frame is at least as wide as the line it holds.
void drawEquipmentStatus(const Unit& unit, float x, float y, float width) {
  i32 w = 0;
  i32 h = 0;
  TextWriter::measureCells(&w, &h, kEquipmentStatusColumns, 1, 0);
  UiDraw::drawFrame(x, y, std::max(width, static_cast<float>(w)), static_cast<float>(h), kFrameColor, false);
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  writer.setFont(0);
  writer.setPosition(static_cast<i32>(x), static_cast<i32>(y));
  printLabelled(writer, "武器", unit.status()[StatusBlock::kWeapon], 5, kTextColor, false);
  writer.continueLine();
  writer.print(" ");
  printLabelled(writer, "防御", unit.status()[StatusBlock::kDefense], 5, kTextColor, false);
  writer.continueLine();
  writer.print(" ");
  printLabelled(writer, "魔防", unit.status()[StatusBlock::kMagicDefense], 5, kTextColor);
}

}  // namespace UnitPanels
}  // namespace Game
