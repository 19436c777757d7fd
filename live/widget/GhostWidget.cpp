#include "live/widget/GhostWidget.h"

#include "core/input/KeyInput.h"
#include "live/unit/Ghost.h"
#include "live/unit/StatusSheet.h"

namespace Game::Widget {

namespace {

constexpr Engine::i32 kDecideKey = 5;
// Room under the sheet, and where the cursor points, below the row's top.
constexpr float kExtraHeight = 12.f;
constexpr float kCursorDrop = -32.f;

}  // namespace

Ghost::Ghost(const Game::Ghost& ghost, Engine::i32 mode) : mGhost(&ghost), mMode(mode) {
  ghost.measureSheet(&width, &height, mode | StatusSheet::kFixedColumns);
  height += kExtraHeight;
  cursorOffsetX = 0.f;
  cursorOffsetY = kCursorDrop;
}

bool Ghost::isDecided() { return active && KeyInput::isTriggered(kDecideKey); }

void Ghost::draw(float offsetX, float offsetY, Engine::u8) {
  mGhost->drawSheet(x + offsetX, y + offsetY, false, false, mMode | StatusSheet::kFixedColumns);
}

}  // namespace Game::Widget
