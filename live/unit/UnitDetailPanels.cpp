#include "live/Unit.h"
#include "live/unit/UnitPanels.h"
#include "presentation/ui/UiDraw.h"
#include "presentation/widget/TextGrid.h"
#include "records/constance/Constance.h"

namespace Game::UnitPanels {

using Engine::i32;
using Engine::u32;

namespace {

constexpr u32 kLabelColor = 0xFFFFFF80;
constexpr u32 kValueColor = 0xFFC0C0C0;
constexpr u32 kFrameColor = 0xFFFFFFFF;
constexpr i32 kFont = 0;
// First columns of the four panels.
constexpr i32 kParameterColumn = 0;
constexpr i32 kBoostColumn = 2;
constexpr i32 kStatusColumn = 3;
constexpr i32 kDefenseColumn = 5;
constexpr i32 kFactorColumn = 7;
// Labels after the first panel keep a gap from the panel before.
constexpr const char* kGap = "  ";
constexpr const char* kStatusLabels[StatusBlock::kCount] = {"武器", "防御", "魔防", "攻撃", "器用",
                                                            "魔力", "速さ", "抵抗", "魅力", "霊能"};

void put(TextGrid& grid, i32 row, i32 column, const char* text, u32 argb, bool gap = false) {
  TextGrid::Cell& cell = grid.cell(row, column);
  cell.text.assign(gap ? kGap : "");
  cell.text.append(text);
  cell.font = kFont;
  cell.color = argb;
}

// A blank keeps each value clear of its label.
void putNumber(TextGrid& grid, i32 row, i32 column, i32 value) {
  String text(" ");
  text.appendInt(value);
  put(grid, row, column, text.c_str(), kValueColor);
}

void fillParameters(TextGrid& grid, const Unit& unit) {
  const Constance& constants = *Constance::instance();
  put(grid, 0, kParameterColumn, "能力", kLabelColor);
  put(grid, 0, kBoostColumn, " 強化", kLabelColor);
  for (i32 i = 0; i < Parameters::kCount; ++i) {
    put(grid, i + 1, kParameterColumn, constants.parameterName(i), kLabelColor);
    putNumber(grid, i + 1, kParameterColumn + 1, unit.parameters()[i]);
    const i32 boost = unit.boost(i);
    if (boost != 0) {
      String text(boost > 0 ? " +" : " ");
      text.appendInt(boost);
      put(grid, i + 1, kBoostColumn, text.c_str(), kValueColor);
    }
  }
}

void fillStatus(TextGrid& grid, const Unit& unit) {
  put(grid, 0, kStatusColumn, "状態値", kLabelColor, true);
  for (i32 i = 0; i < StatusBlock::kCount; ++i) {
    put(grid, i + 1, kStatusColumn, kStatusLabels[i], kLabelColor, true);
    putNumber(grid, i + 1, kStatusColumn + 1, unit.status()[i]);
  }
}

void fillDefense(TextGrid& grid, const Unit& unit) {
  const Constance& constants = *Constance::instance();
  put(grid, 0, kDefenseColumn, "防御", kLabelColor, true);
  for (i32 i = 0; i < DefenseBlock::kTypeCount; ++i) {
    put(grid, i + 1, kDefenseColumn, constants.attributeName(i), kLabelColor, true);
    putNumber(grid, i + 1, kDefenseColumn + 1, unit.defense().typeDefense(i));
  }
}

// Only the factors that change a hit, as many as the rows hold.
void fillFactors(TextGrid& grid, const Unit& unit) {
  const Constance& constants = *Constance::instance();
  put(grid, 0, kFactorColumn, "属性", kLabelColor, true);
  i32 row = 1;
  for (i32 i = 0; i < Constance::kAbilityFlagCount && row < kDetailRows; ++i) {
    const float factor = unit.defense().factors()[i];
    if (factor != 1.f) {
      put(grid, row, kFactorColumn, constants.abilityFlagName(i), kLabelColor, true);
      String text(" ");
      text.appendInt(static_cast<i32>(factor * 100.f));
      text.append("%");
      put(grid, row, kFactorColumn + 1, text.c_str(), kValueColor);
      ++row;
    }
  }
}

}  // namespace

void fillDetailTable(TextGrid& grid, const Unit& unit) {
  grid.resize(kDetailRows, kDetailColumns);
  fillParameters(grid, unit);
  fillStatus(grid, unit);
  fillDefense(grid, unit);
  fillFactors(grid, unit);
  grid.layout();
}

void drawDetailPanels(const Unit& unit, float x, float y) {
  TextGrid grid;
  fillDetailTable(grid, unit);
  UiDraw::drawFrame(x, y, grid.totalWidth(), grid.totalHeight(), kFrameColor, false);
  grid.draw(x, y);
}

}  // namespace Game::UnitPanels
