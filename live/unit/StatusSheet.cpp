#include "live/unit/StatusSheet.h"

#include <algorithm>

#include "records/stats/Experience.h"
#include "live/unit/Ghost.h"
#include "live/unit/PlayerGhost.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/ui/ModelDraw.h"
#include "presentation/ui/UiDraw.h"
#include "presentation/scene/TextWriter.h"
#include "presentation/widget/TextGrid.h"
#include "records/Database.h"
#include "records/database/UnitPictureData.h"

namespace Game {

using Engine::i32;

namespace {

// What the sheet shows of a ghost; only a party character has experience
// and points, an enemy shows zeros there.
struct SheetValues {
  i32 level = 1;
  i32 experience = 0;
  i32 masterLevel = 0;
  i32 masterExperience = 0;
  i32 masterPoint = 0;
  i32 bonusPoint = 0;
};

SheetValues valuesOf(const Ghost& ghost) {
  SheetValues v;
  v.level = ghost.getLevel();
  if (const auto* player = dynamic_cast<const PlayerGhost*>(&ghost)) {
    v.experience = player->experience();
    v.masterLevel = player->masterLevel();
    v.masterExperience = player->masterExperience();
    v.masterPoint = player->masterPoint();
    v.bonusPoint = player->bonusPoint();
  }
  return v;
}

// The labels' columns are as wide as their widest labels on every sheet:
// "O.Lv " first, " next " in the middle (so " OP" keeps a space before its
// number on a sheet without the level row).
constexpr i32 kLabelColumns = 5;
constexpr i32 kSecondLabelColumns = 6;
// With kFixedColumns the figures' columns are as wide as the largest figure
// each shows: an LP of four digits (as the battle panel has it), the top
// level's requirement (seven digits, as "-------"), and "99/99/99" of AP.
constexpr i32 kFirstFigureColumns = 4;
constexpr i32 kSecondFigureColumns = 7;
constexpr i32 kThirdFigureColumns = 8;

void setText(TextGrid& grid, i32 row, i32 column, const char* text) { grid.cell(row, column).text.assign(text); }

void setNumber(TextGrid& grid, i32 row, i32 column, i32 value) { grid.cell(row, column).text.assignInt(value); }

// Widens a column to hold so many bytes of its font.
void holdBytes(TextGrid& grid, i32 column, i32 bytes) {
  i32 width = 0;
  TextWriter::measureCells(&width, nullptr, bytes, 1, grid.cell(1, column).font);
  grid.columnWidth(column) = std::max(grid.columnWidth(column), static_cast<float>(width));
}

void fillLevelRow(TextGrid& grid, const SheetValues& v) {
  setText(grid, 1, 0, " Lv");
  setNumber(grid, 1, 1, v.level);
  setText(grid, 1, 2, " Exp   ");
  setNumber(grid, 1, 3, v.experience);
  setText(grid, 1, 4, " next ");
  if (v.level >= Experience::kMaxLevel) {
    setText(grid, 1, 5, "-------");
  } else {
    setNumber(grid, 1, 5, Experience::forLevel(v.level + 1));
  }
}

void fillLifeRow(TextGrid& grid, const Ghost& ghost) {
  setText(grid, 2, 0, " LP");
  setNumber(grid, 2, 1, ghost.lp());
  setText(grid, 2, 4, " AP");
  String ap;
  for (i32 tier = 0; tier < Ghost::kApTiers; ++tier) {
    if (tier > 0) {
      ap.append("/");
    }
    ap.appendInt(ghost.getAp(tier));
  }
  setText(grid, 2, 5, ap.c_str());
}

void fillMasterRow(TextGrid& grid, const SheetValues& v) {
  setText(grid, 3, 0, "O.Lv ");
  if (v.masterLevel >= Experience::kMaxMasterLevel) {
    setText(grid, 3, 1, "Max");
  } else {
    setNumber(grid, 3, 1, v.masterLevel);
  }
  setText(grid, 3, 2, " O.Exp ");
  setNumber(grid, 3, 3, v.masterExperience);
  setText(grid, 3, 4, " OP");
  setNumber(grid, 3, 5, v.masterPoint);
}

}  // namespace

namespace StatusSheet {

// The name heads the table across its columns: the columns are laid out
// without it, so that theirs line up from sheet to sheet whatever the name.
void fillTable(TextGrid& grid, const Ghost& ghost, i32 mode) {
  grid.resize(kRows, kColumns);
  const SheetValues v = valuesOf(ghost);
  if (mode & kLevelRow) {
    fillLevelRow(grid, v);
  }
  if (mode & kLifeRow) {
    fillLifeRow(grid, ghost);
  }
  if (mode & kMasterRow) {
    fillMasterRow(grid, v);
  }
  if (mode & kBonusRow) {
    setText(grid, 4, 0, " BP");
    setNumber(grid, 4, 1, v.bonusPoint);
  }
  grid.layout();
  holdBytes(grid, 0, kLabelColumns);
  const bool fixed = (mode & kFixedColumns) != 0;
  if (fixed && (mode & kAllRows)) {
    holdBytes(grid, 1, kFirstFigureColumns);
  }
  if (mode & (kLevelRow | kLifeRow | kMasterRow)) {
    holdBytes(grid, 4, kSecondLabelColumns);
  }
  if (fixed && (mode & (kLevelRow | kLifeRow | kMasterRow))) {
    holdBytes(grid, 3, kSecondFigureColumns);
    holdBytes(grid, 5, kThirdFigureColumns);
  }
  TextGrid::Cell& name = grid.cell(0, 0);
  name.text.assign(ghost.getName());
  i32 height = 0;
  TextWriter::measure(nullptr, nullptr, nullptr, &height, name.text.c_str(), name.font);
  grid.rowHeight(0) = static_cast<float>(height);
}

float width(const TextGrid& grid) {
  const TextGrid::Cell& name = grid.cell(0, 0);
  i32 nameWidth = 0;
  TextWriter::measure(nullptr, nullptr, &nameWidth, nullptr, name.text.c_str(), name.font);
  return std::max(grid.totalWidth(), static_cast<float>(nameWidth)) + kModelWidth;
}

float height(const TextGrid& grid) { return std::max(grid.totalHeight(), kFigureHeight); }

}  // namespace StatusSheet

void Ghost::measureSheet(float* width, float* height, i32 mode) const {
  TextGrid grid;
  StatusSheet::fillTable(grid, *this, mode);
  if (width) {
    *width = StatusSheet::width(grid);
  }
  if (height) {
    *height = StatusSheet::height(grid);
  }
}

void Ghost::drawSheet(float x, float y, bool frame, bool background, i32 mode) const {
  TextGrid grid;
  StatusSheet::fillTable(grid, *this, mode);
  const float width = StatusSheet::width(grid);
  const float height = StatusSheet::height(grid);
  if (frame) {
    UiDraw::drawFrame(x, y, width, height, StatusSheet::kFrameColor, false);
  }
  if (background) {
    UiDraw::drawRect(x, y, width, height, StatusSheet::kBackgroundColor);
  }
  drawModel(x + StatusSheet::kModelWidth / 2.f, y - height / 2.f);
  grid.draw(x + StatusSheet::kModelWidth, y);
}

void Ghost::drawModel(float x, float y) const {
  Database* database = Database::instance();
  UnitPictureData* picture = database ? database->findUnitPicture(getAppearance()) : nullptr;
  if (!picture) {
    return;
  }
  const Model* model = lp() < 1 ? picture->downMotion() : picture->standMotion();
  Transform view;
  view.rotation = {-45.f, 0.f, 180.f};
  view.scale = {picture->scale(), picture->scale(), picture->scale()};
  view.position = {x, y, 0.f};
  RenderState state;
  state.setTransform(view);
  state.frontEnd = true;
  Game::drawModel(model, state, static_cast<float>(interfaceFrameCount()));
}

void Ghost::drawFace(i32 side) const {
  const FaceSet* faces = FaceSet::instance();
  if (const Face* face = faces ? faces->find(getFace()) : nullptr) {
    face->draw(side, RenderState());
  }
}

}  // namespace Game
