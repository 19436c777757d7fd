#include "menu/FormationPhase.h"

#include <algorithm>

#include "battle/FormationBonus.h"
#include "running/game/GameData.h"
#include "core/input/KeyInput.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/ModelDraw.h"
#include "presentation/ui/UiDraw.h"

namespace Game::IntermissionStuff {

using Engine::i32;

namespace {

constexpr Engine::u32 kFormationNoteColor = 0xFFC0C0C0;
constexpr Engine::u32 kCoveredTint = 0x80FFFFFF;
constexpr Engine::u32 kStackedTint = 0x80808080;
constexpr i32 kFormationNoteFont = 1;
constexpr i32 kSheetMode = 3;

PartyMembers::Entry* fighterEntry(PartyMembers& members, const PlayerGhost* ghost, i32 row, i32 column) {
  for (i32 i = 0; i < members.battleCount(); ++i) {
    PartyMembers::Entry& entry = members.at(i);
    if (ghost ? entry.ghost == ghost : entry.row == row && entry.column == column) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace

Formation::Formation(Intermission&) { mPictures.load(kPictureFile); }

void Formation::markCells(const PartyMembers& members, BattleGrid& grid) {
  grid.clear();
  for (i32 i = 0; i < members.battleCount(); ++i) {
    grid.set(members.at(i).row, members.at(i).column);
  }
  grid.compute();
}

void Formation::noteLines(const BattleGrid& grid, i32 row, i32 column, std::vector<String>& out) {
  if (grid.isExposed(row, column)) {
    out.emplace_back("前衛 近距離攻撃を受ける");
  }
  if (grid.isStacked(row, column)) {
    out.emplace_back("後衛 近距離攻撃の効果ダウン");
  }
  CellSurroundings surroundings;
  grid.cellSurroundings(surroundings, row, column);
  std::vector<ParameterBonus> bonuses;
  collectFormationBonuses(surroundings, bonuses);
  for (const ParameterBonus& bonus : bonuses) {
    out.emplace_back();
    formationBonusLine(bonus, out.back());
  }
}

i32 Formation::update(GameData& game) {
  PartyMembers& members = game.party().members();
  ++mFrame;
  moveCursor();
  if (KeyInput::isTriggered(kDecideKey)) {
    decide(members);
  }
  if (KeyInput::isTriggered(kCancelKey)) {
    if (!mHeld) {
      return 1;
    }
    mHeld = nullptr;
  }
  draw(members);
  return 0;
}

void Formation::moveCursor() {
  const auto repeated = [](i32 key) { return KeyInput::isRepeated(key, kRepeatRate) ? 1 : 0; };
  mColumn += repeated(KeyInput::kUp) - repeated(KeyInput::kDown);
  mRow += repeated(KeyInput::kRight) - repeated(KeyInput::kLeft);
  mRow = std::clamp(mRow, 0, BattleGrid::kRows - 1);
  mColumn = std::clamp(mColumn, 0, BattleGrid::kColumns - 1);
}

// Put down, the held member takes the cursor cell and whoever stood there
// its old one; else the member on the cursor cell is picked up.
void Formation::decide(PartyMembers& members) {
  if (!mHeld) {
    mHeld = members.findAtCell(mRow, mColumn);
    return;
  }
  PartyMembers::Entry* held = fighterEntry(members, mHeld, 0, 0);
  PartyMembers::Entry* there = fighterEntry(members, nullptr, mRow, mColumn);
  if (held && there) {
    there->row = held->row;
    there->column = held->column;
  }
  if (held) {
    held->row = mRow;
    held->column = mColumn;
  }
  mHeld = nullptr;
}

void Formation::draw(const PartyMembers& members) {
  BattleGrid grid;
  markCells(members, grid);
  for (i32 row = 0; row < BattleGrid::kRows; ++row) {
    for (i32 column = BattleGrid::kColumns - 1; column >= 0; --column) {
      drawTile(grid, row, column);
      const PlayerGhost* ghost = members.findAtCell(row, column);
      const bool hidden = ghost && ghost == mHeld && (mFrame / kBlinkFrames) % 2 == 1;
      if (ghost && !hidden) {
        ghost->drawModel(cellX(row), cellY(column) + kMemberLift);
      }
    }
  }
  drawNotes(members, grid);
  mCursor.setTarget(cellX(mRow), cellY(mColumn));
  mCursor.step();
  UiDraw::drawCursorAt(mCursor);
}

void Formation::drawTile(const BattleGrid& grid, i32 row, i32 column) const {
  Transform place;
  place.position = {cellX(row), cellY(column), 0.f};
  RenderState state;
  state.setTransform(place);
  state.frontEnd = true;
  if (grid.isStacked(row, column)) {
    state.setColorPacked(kStackedTint);
  } else if (grid.cover(row, column) > 0) {
    state.setColorPacked(kCoveredTint);
  }
  drawModel(mPictures.getModel(0), state, static_cast<float>(interfaceFrameCount()));
}

void Formation::drawNotes(const PartyMembers& members, const BattleGrid& grid) const {
  const PlayerGhost* ghost = members.findAtCell(mRow, mColumn);
  if (!ghost) {
    return;
  }
  ghost->drawSheet(kSheetX, kSheetY, true, false, kSheetMode);
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  std::vector<String> lines;
  noteLines(grid, mRow, mColumn, lines);
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kFormationNoteFont);
  writer.setColor(kFormationNoteColor);
  writer.setPosition(static_cast<i32>(kNotesX), static_cast<i32>(kNotesY));
  for (const String& line : lines) {
    writer.print(line.c_str());
  }
}

}  // namespace Game::IntermissionStuff
