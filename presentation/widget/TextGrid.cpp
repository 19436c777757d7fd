#include "presentation/widget/TextGrid.h"

#include <algorithm>
#include <numeric>

#include "Engine/Base/Assert.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

using Engine::i32;

void TextGrid::resize(i32 rows, i32 columns) {
  mRows = std::max(rows, 0);
  mColumns = std::max(columns, 0);
  mCells.assign(static_cast<std::size_t>(mRows) * static_cast<std::size_t>(mColumns), Cell());
  mRowHeights.assign(static_cast<std::size_t>(mRows), 0.f);
  mColumnWidths.assign(static_cast<std::size_t>(mColumns), 0.f);
}

TextGrid::Cell& TextGrid::cell(i32 row, i32 column) {
  return const_cast<Cell&>(static_cast<const TextGrid&>(*this).cell(row, column));
}

const TextGrid::Cell& TextGrid::cell(i32 row, i32 column) const {
  ENGINE_ASSERT(row >= 0 && row < mRows && column >= 0 && column < mColumns && "TextGrid::cell : out of range.");
  return mCells[static_cast<std::size_t>(row) * static_cast<std::size_t>(mColumns) + static_cast<std::size_t>(column)];
}

void TextGrid::setColorRange(i32 row0, i32 column0, i32 row1, i32 column1, Engine::u32 argb) {
  for (i32 row = std::max(row0, 0); row <= std::min(row1, mRows - 1); ++row) {
    for (i32 column = std::max(column0, 0); column <= std::min(column1, mColumns - 1); ++column) {
      cell(row, column).color = argb;
    }
  }
}

void TextGrid::layout() {
  std::fill(mRowHeights.begin(), mRowHeights.end(), 0.f);
  std::fill(mColumnWidths.begin(), mColumnWidths.end(), 0.f);
  for (i32 row = 0; row < mRows; ++row) {
    for (i32 column = 0; column < mColumns; ++column) {
      const Cell& c = cell(row, column);
      i32 columns = 0;
      i32 lines = 0;
      i32 w = 0;
      i32 h = 0;
      TextWriter::measure(&columns, &lines, &w, &h, c.text.c_str(), c.font);
      rowHeight(row) = std::max(rowHeight(row), static_cast<float>(h));
      columnWidth(column) = std::max(columnWidth(column), static_cast<float>(w));
    }
  }
}

void TextGrid::cellOffset(float* x, float* y, i32 row, i32 column) const {
  if (x) {
    *x = std::accumulate(mColumnWidths.begin(), mColumnWidths.begin() + std::clamp(column, 0, mColumns), 0.f);
  }
  if (y) {
    *y = std::accumulate(mRowHeights.begin(), mRowHeights.begin() + std::clamp(row, 0, mRows), 0.f);
  }
}

float TextGrid::totalWidth() const { return std::accumulate(mColumnWidths.begin(), mColumnWidths.end(), 0.f); }

float TextGrid::totalHeight() const { return std::accumulate(mRowHeights.begin(), mRowHeights.end(), 0.f); }

void TextGrid::draw(float x, float y) const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  for (i32 row = 0; row < mRows; ++row) {
    for (i32 column = 0; column < mColumns; ++column) {
      const Cell& c = mCells[static_cast<std::size_t>(row * mColumns + column)];
      float dx = 0.f;
      float dy = 0.f;
      cellOffset(&dx, &dy, row, column);
      writer.setColor(c.color);
      writer.setFont(c.font);
      writer.setPosition(static_cast<i32>(x + dx), static_cast<i32>(y - dy));
      writer.print(c.text.c_str());
    }
  }
}

}  // namespace Game
