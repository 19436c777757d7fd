#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"

namespace Game {

// Plain text split into rows at line feeds and into cells at a separator byte.
class TextTable {
 public:
  class Row {
   public:
    Engine::i32 cellCount() const { return mCells.count(); }
    // Null when i is out of range.
    const String* cell(Engine::i32 i) const { return mCells.nodeAt(i) ? mCells.at(i) : nullptr; }

   private:
    friend class TextTable;
    OwnedList<String> mCells;
  };

  // Adds the rows of a zero-terminated Shift-JIS text. A separator ends a
  // cell even when it is empty; the end of a row adds its last cell only when
  // it is not empty. CR is skipped; the second byte of a two-byte character is
  // never taken for a separator or a line feed.
  void parse(const char* text, char separator);

  Engine::i32 rowCount() const { return mRows.count(); }
  // Null when i is out of range.
  const Row* row(Engine::i32 i) const { return mRows.nodeAt(i) ? mRows.at(i) : nullptr; }
  // Null when the row or the column does not exist.
  const String* cell(Engine::i32 row, Engine::i32 column) const;
  // "" when the row or the column does not exist.
  const char* cellText(Engine::i32 row, Engine::i32 column) const;
  // The cells of all rows together.
  Engine::i32 cellCount() const;

 private:
  // Reads one row from text and returns where the next row starts.
  const char* parseRow(const char* text, char separator);

  OwnedList<Row> mRows;
};

}  // namespace Game
