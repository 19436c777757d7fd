#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Texts laid out in rows and columns: each row as high and each column as
// wide as its largest text.
class TextGrid {
 public:
  struct Cell {
    String text;
    Engine::i32 font = 1;
    Engine::u32 color = 0xFFC0C0C0;
  };

  void resize(Engine::i32 rows, Engine::i32 columns);
  Cell& cell(Engine::i32 row, Engine::i32 column);
  const Cell& cell(Engine::i32 row, Engine::i32 column) const;
  float& rowHeight(Engine::i32 row) { return mRowHeights[static_cast<std::size_t>(row)]; }
  float& columnWidth(Engine::i32 column) { return mColumnWidths[static_cast<std::size_t>(column)]; }
  void setColorRange(Engine::i32 row0, Engine::i32 column0, Engine::i32 row1, Engine::i32 column1,
                     Engine::u32 argb);
  void layout();
  // Either output may be null.
  void cellOffset(float* x, float* y, Engine::i32 row, Engine::i32 column) const;
  float totalWidth() const;
  float totalHeight() const;
  void draw(float x, float y) const;

  Engine::i32 rows() const { return mRows; }
  Engine::i32 columns() const { return mColumns; }

 private:
  Engine::i32 mRows = 0;
  Engine::i32 mColumns = 0;
  std::vector<Cell> mCells;
  std::vector<float> mRowHeights;
  std::vector<float> mColumnWidths;
};

}  // namespace Game
