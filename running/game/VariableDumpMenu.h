#pragma once

#include "Engine/Base/Types.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class VariableTable;

// The debug list of a game's variables: strings, integers (with their
// marks), the expression functions and the flags, 20 rows at a time.
// Choosing an integer toggles its inheritable mark.
//
// Each frame: draw, then update.
class VariableDumpMenu {
 public:
  static constexpr Engine::i32 kVisibleRows = 20;

  explicit VariableDumpMenu(VariableTable& table);

  // 0 while open, 2 once cancelled.
  Engine::i32 update();
  void draw() { mMenu.draw(true); }
  // Lists the variables again; the cursor stays on the same row.
  void rebuild();

  const ListMenu& menu() const { return mMenu; }

 private:
  VariableTable& mTable;
  ListMenu mMenu;
};

}  // namespace Game
