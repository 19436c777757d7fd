#pragma once

#include "Engine/Base/Types.h"
#include "presentation/widget/ListMenu.h"

namespace Game {

class Config;

// Assigns joystick buttons to the configurable keys of a configuration: the
// cursor on a key's row takes the first pad button held. Keyboard keys stay.
// Only "戻る" closes it: the pad's own decide and cancel buttons are what is
// being assigned.
class KeyAssignMenu {
 public:
  static constexpr Engine::i32 kBackId = 0;

  // Edits config's bindings, which must outlive the menu.
  explicit KeyAssignMenu(Config& config);

  // Once per frame: true when "戻る" was decided.
  bool update();

  const ListMenu& list() const { return mList; }
  // The row text of binding i: its button, two blanks, its keyboard key.
  static String rowText(Engine::i32 button, Engine::i32 key);

 private:
  void build();

  Config& mConfig;
  ListMenu mList;
};

}  // namespace Game
