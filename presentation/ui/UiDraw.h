#pragma once

#include "Engine/Base/Types.h"

namespace Game {

class RenderState;
class SmoothPoint;

// The drawings every interface screen shares, on the 800x600 interface space
// (centre (0, 0), y up) with the system pictures; each is queued front-end
// on the scene renderer. Without the system pictures nothing is drawn.
namespace UiDraw {

// Depths of the interface space (a larger z is nearer).
inline constexpr float kFrameDepth = 490.f;
inline constexpr float kCursorDepth = 510.f;
// How far a frame's picture reaches out of the box it is drawn around.
inline constexpr float kFrameOutset = 4.f;

// A window frame of nine pieces over the box whose top-left corner is
// (left, top), in a packed ARGB colour; a pulsing frame brightens and dims
// with the game flow's frame count.
void drawFrame(float left, float top, float width, float height, Engine::u32 argb, bool pulse);
// The same over everything queued so far: the renderer is flushed first.
void flushAndDrawFrame(float left, float top, float width, float height, Engine::u32 argb, bool pulse);
// A frame over what the text writer has printed since its origin was set;
// nothing when that has no area.
void drawTextFrame(Engine::u32 argb);
// A filled rectangle from its top-left corner.
void drawRect(float x, float y, float width, float height, Engine::u32 argb);
// The gauge picture under state: the background in backArgb (none when 0),
// then, for a positive fraction, the fill cut to that fraction of its width.
void drawGaugeBar(float fraction, Engine::u32 fillArgb, Engine::u32 backArgb, const RenderState& state);
// A gauge over the box from (x, y) rightward and down, turned by angle
// degrees about the vertical axis.
void drawPictureRect(float fraction, Engine::u32 fillArgb, Engine::u32 backArgb, float x, float y, float width,
                     float height, float angle);
// The menu cursor pointing at (x, y).
void drawCursorMark(float x, float y);
// The menu cursor turned to point down, its tip at (x, y): a mark over one
// character of a row, where the arrow beside it would cover the ones before.
void drawCursorMarkDown(float x, float y);
void drawCursorAt(const SmoothPoint& point);
// The wall behind full-screen menus: it covers whatever was drawn before it.
void drawWall();

}  // namespace UiDraw
}  // namespace Game
