#include "running/game/VariableDumpMenu.h"

#include <vector>

#include "core/variable/VariableTable.h"

namespace Game {

using Engine::i32;

namespace {

constexpr float kDumpLeft = -320.f;
constexpr float kDumpTop = 240.f;
constexpr Engine::u32 kColor = 0xFFC0C0C0;
constexpr i32 kDumpFont = 1;

}  // namespace

VariableDumpMenu::VariableDumpMenu(VariableTable& table) : mTable(table) { rebuild(); }

// Every row can take the cursor, so that the whole dump can be scrolled
// through; only integer rows (ids from 1) do anything when chosen. The
// cursor keeps its index (clear leaves it): the rows come back in order.
void VariableDumpMenu::rebuild() {
  std::vector<VariableTable::DumpRow> rows;
  mTable.buildDump(rows);
  mMenu.clear();
  mMenu.setSize(0.f, 0.f);
  for (const VariableTable::DumpRow& row : rows) {
    mMenu.addItem(row.text.c_str(), row.id, kColor, kDumpFont);
  }
  mMenu.setVisibleRows(kVisibleRows);
  mMenu.placeCentered(kDumpLeft, kDumpTop);
}

i32 VariableDumpMenu::update() {
  switch (mMenu.update()) {
    case ListMenu::kDecided:
      if (mTable.toggleInheritable(mMenu.selectedId(0))) {
        rebuild();
      }
      return ListMenu::kNothing;
    case ListMenu::kCancelled:
      return ListMenu::kCancelled;
    default:
      return ListMenu::kNothing;
  }
}

}  // namespace Game
