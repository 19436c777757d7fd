#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class BattleServices;
class Ghost;
class Unit;

// A place in the battle's unit list: the unit that first took it and the
// forms it has changed into, newest last. The entry owns the units and the
// ghosts the changes made.
class UnitEntry {
 public:
  explicit UnitEntry(std::unique_ptr<Unit> first);
  ~UnitEntry();
  UnitEntry(const UnitEntry&) = delete;
  UnitEntry& operator=(const UnitEntry&) = delete;

  // The fighting unit; only while the entry is not empty.
  Unit& current() const { return *mUnits.back(); }
  Engine::i32 formCount() const { return static_cast<Engine::i32>(mUnits.size()); }
  bool isEmpty() const { return mUnits.empty(); }

  // The current unit leaves the entry with the ghost its change of form made
  // (null for the first form, whose ghost the battle or the party keeps);
  // the form beneath, if any, fights again.
  struct Released {
    std::unique_ptr<Unit> unit;
    std::unique_ptr<Ghost> ghost;
  };
  Released releaseCurrent();

  // The current unit drops its plan and a new one takes its cell: on the
  // party's side a character of the named shell with the experience of the
  // level, on the enemies' side the named enemy at that level. An enemy the
  // database lacks is a data error.
  Unit& transformInto(BattleServices& battle, const char* name, Engine::i32 level);
  // Back to the previous form at its cell; false when only the first is
  // left.
  bool popTransformation();
  void popAll();

  // Where the unit's status window stands: placed when the party lines up,
  // drawn every frame from then on, until it is taken down.
  struct WindowPlace {
    float x = 0.f;
    float y = 0.f;
  };
  void placeWindow(float x, float y) {
    mWindow = WindowPlace{x, y};
    mWindowShown = true;
  }
  void takeDownWindow() { mWindowShown = false; }
  const WindowPlace* window() const { return mWindowShown ? &mWindow : nullptr; }

 private:
  std::vector<std::unique_ptr<Unit>> mUnits;
  std::vector<std::unique_ptr<Ghost>> mGhosts;
  WindowPlace mWindow;
  bool mWindowShown = false;
};

}  // namespace Game
