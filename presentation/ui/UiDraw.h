#pragma once

namespace Game::UiDraw {

// Stand-in: the wall picture behind full-screen menus; draws nothing yet.
inline void drawWall() {}

}  // namespace Game::UiDraw
