#include "core/text/TextTable.h"

#include "core/string/ShiftJis.h"

namespace Game {

using Engine::i32;

void TextTable::parse(const char* text, char separator) {
  while (*text != '\0') {
    text = parseRow(text, separator);
  }
}

const char* TextTable::parseRow(const char* text, char separator) {
  Row* row = mRows.addNew();
  String cell;
  for (; *text != '\0'; ++text) {
    const char c = *text;
    if (c == '\n') {
      ++text;
      break;
    }
    if (c == '\r') {
      continue;
    }
    if (c == separator) {
      row->mCells.addCopy(cell);
      cell = String();
      continue;
    }
    cell.appendChar(c);
    if (ShiftJis::characterSize(text) == 2) {
      cell.appendChar(*++text);
    }
  }
  if (cell.length() > 0) {
    row->mCells.addCopy(cell);
  }
  return text;
}

const String* TextTable::cell(i32 rowIndex, i32 column) const {
  const Row* found = row(rowIndex);
  return found ? found->cell(column) : nullptr;
}

const char* TextTable::cellText(i32 rowIndex, i32 column) const {
  const String* found = cell(rowIndex, column);
  return found && found->c_str() ? found->c_str() : "";
}

i32 TextTable::cellCount() const {
  i32 count = 0;
  for (OwnedList<Row>::Iterator it(mRows); !it.isEnd(); it.next()) {
    count += it.value()->cellCount();
  }
  return count;
}

}  // namespace Game
