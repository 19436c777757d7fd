#pragma once

#include "Engine/Base/Types.h"
#include "presentation/widget/Widget.h"

namespace Game {

class Ghost;

namespace Widget {

// One character's status sheet as a list row, measured when made: the
// sheet's size with 12 units more height, the cursor pointing 32 units
// below the row's top. Its columns are fixed, so the rows of a list line up.
class Ghost : public Widget {
 public:
  static constexpr Engine::i32 kDefaultMode = 3;

  explicit Ghost(const Game::Ghost& ghost, Engine::i32 mode = kDefaultMode);

  // Decide was pressed while the row is active.
  bool isDecided() override;
  void draw(float x, float y, Engine::u8 flag) override;

  const Game::Ghost& ghost() const { return *mGhost; }
  Engine::i32 mode() const { return mMode; }
  bool active = true;

 private:
  const Game::Ghost* mGhost;
  Engine::i32 mMode;
};

}  // namespace Widget
}  // namespace Game
