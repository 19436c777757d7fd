#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class Ghost;
class TextGrid;

// The compact sheet of a character: a table of 5 rows by 6 columns right of
// its model. Row 0 is the name; the others show when the mode has their bit.
namespace StatusSheet {

inline constexpr Engine::i32 kLevelRow = 1;
inline constexpr Engine::i32 kLifeRow = 2;
inline constexpr Engine::i32 kMasterRow = 4;
inline constexpr Engine::i32 kBonusRow = 8;
inline constexpr Engine::i32 kAllRows = 15;
// Not a row: the figures' columns as wide as their largest figures, so that
// the sheets of one list line up whatever their figures. A sheet alone keeps
// columns as wide as its own: the formation screen's grid stands beside it.
inline constexpr Engine::i32 kFixedColumns = 16;
inline constexpr Engine::i32 kRows = 5;
inline constexpr Engine::i32 kColumns = 6;
// The model's strip left of the table.
inline constexpr float kModelWidth = 64.f;
// The least height of a sheet: its model, drawn about the sheet's middle,
// reaches 43 units below it and 29 above, and stays clear of the frame.
inline constexpr float kFigureHeight = 84.f;
inline constexpr Engine::u32 kBackgroundColor = 0x88FFFFFF;
inline constexpr Engine::u32 kFrameColor = 0xFFFFFFFF;

// Fills and lays out the table of the ghost's sheet.
void fillTable(TextGrid& grid, const Ghost& ghost, Engine::i32 mode);
// The sheet's size with its model's strip, from its filled table.
float width(const TextGrid& grid);
float height(const TextGrid& grid);

}  // namespace StatusSheet
}  // namespace Game
