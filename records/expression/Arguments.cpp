#include "records/expression/Arguments.h"

#include "core/text/TextTable.h"

namespace Game::ExpressionStuff {

using Engine::i32;

void Arguments::parse(const char* text) {
  TextTable table;
  table.parse(text, ':');
  mTexts.clear();
  mTexts.reserve(static_cast<std::size_t>(table.cellCount()));
  for (i32 r = 0; r < table.rowCount(); ++r) {
    const TextTable::Row& row = *table.row(r);
    for (i32 c = 0; c < row.cellCount(); ++c) {
      mTexts.push_back(*row.cell(c));
    }
  }
}

const char* Arguments::text(i32 i) const {
  if (i < 0 || i >= count()) {
    return "";
  }
  const char* value = mTexts[static_cast<std::size_t>(i)].c_str();
  return value ? value : "";
}

}  // namespace Game::ExpressionStuff
