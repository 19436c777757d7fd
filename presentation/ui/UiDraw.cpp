#include "presentation/ui/UiDraw.h"

#include "Engine/Math/Functions.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/Batch.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/ModelDraw.h"
#include "presentation/ui/SmoothPoint.h"

namespace Game::UiDraw {

using Engine::i32;
using Engine::u32;

namespace {

constexpr i32 kFramePieces = 9;
// The frame's corner pieces are drawn at half size, its edges and centre
// stretched from this many units.
constexpr float kFramePieceSide = 64.f;
constexpr float kRectSide = 32.f;
// The frame picture's border: its outer 4 of 64 texels at half size.
constexpr float kFrameBorder = 2.f;
// Between the inside and the border. Text lands on whole pixels, truncated:
// at 640 by 480 up to a pixel left of or above the inside's edge, and a
// glyph may be inked from its cell's first column or row; the border's own
// pixel begins half a pixel past its edge. 2 units (1.6 pixels there) keep
// that ink clear of it at either size.
constexpr float kFrameMargin = 2.f;
static_assert(kFrameBorder + kFrameMargin == kFrameOutset);
// Where the cursor picture's tip stands from the point it is drawn at: just
// left of it, half a text row below.
constexpr float kCursorTipX = -2.f;
constexpr float kCursorTipY = -10.f;

SystemResources* pictures() { return SystemResources::instance(); }

// A front-end state at (x, y, z) scaled by (sx, sy, sz).
RenderState placedState(float x, float y, float z, float sx, float sy, float sz) {
  RenderState state;
  state.frontEnd = true;
  Transform t;
  t.position.set(x, y, z);
  t.scale.set(sx, sy, sz);
  state.setTransform(t);
  return state;
}

void drawBatch(ResourceSet& set, i32 index, const RenderState& state) {
  if (const Batch* batch = set.getBatch(index)) {
    batch->draw(state);
  }
}

}  // namespace

// The rectangle given is the window's inside, which text sized by the
// writer's measure fills to its edges; a glyph's ink may reach to the edge of
// its cell, so the picture's border (its outer kFrameBorder units) is drawn
// kFrameMargin further out, clear of it.
void drawFrame(float left, float top, float width, float height, u32 argb, bool pulse) {
  constexpr float kOut = kFrameOutset;
  left -= kOut;
  top += kOut;
  width += 2.f * kOut;
  height += 2.f * kOut;
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->textWriter().noteFrame(left, top, width, height, kFrameBorder);
  }
  if (!pictures()) {
    return;
  }
  const float xs[3] = {left, left + width / 2.f, left + width};
  const float ys[3] = {top, top - height / 2.f, top - height};
  const float scaleX[3] = {0.5f, width / kFramePieceSide, 0.5f};
  const float scaleY[3] = {0.5f, height / kFramePieceSide, 0.5f};
  float glow = 0.f;
  if (pulse) {
    glow = (Engine::Math::sin(2.f * static_cast<float>(interfaceFrameCount())) + 1.f) / 4.f;
  }
  for (i32 i = 0; i < kFramePieces; ++i) {
    const i32 column = i % 3;
    const i32 row = i / 3;
    RenderState state = placedState(xs[column], ys[row], kFrameDepth, scaleX[column], scaleY[row], 1.f);
    state.setColorPacked(argb);
    state.colors.ambient += Engine::Math::Vector3(glow, glow, glow);
    drawBatch(pictures()->frame(), i, state);
  }
}

void flushAndDrawFrame(float left, float top, float width, float height, u32 argb, bool pulse) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->flush();
  }
  drawFrame(left, top, width, height, argb, pulse);
}

void drawTextFrame(u32 argb) {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  i32 width = 0;
  i32 height = 0;
  i32 x = 0;
  i32 y = 0;
  renderer->textWriter().getExtent(&width, &height);
  renderer->textWriter().getOrigin(&x, &y);
  if (width != 0 && height != 0) {
    drawFrame(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height),
              argb, false);
  }
}

void drawRect(float x, float y, float width, float height, u32 argb) {
  if (!pictures()) {
    return;
  }
  RenderState state = placedState(x, y, kFrameDepth, width / kRectSide, height / kRectSide, 1.f);
  state.setBlendMode(1);
  state.depthTest = false;
  state.setColorPacked(argb);
  drawBatch(pictures()->rect(), 0, state);
}

void drawGaugeBar(float fraction, u32 fillArgb, u32 backArgb, const RenderState& state) {
  if (!pictures()) {
    return;
  }
  if (backArgb != 0) {
    RenderState back = state;
    back.setColorPacked(backArgb);
    drawBatch(pictures()->gauge(), 0, back);
  }
  if (fraction > 0.f) {
    RenderState fill = state;
    fill.setColorPacked(fillArgb);
    fill.transform.scale(fraction, 1.f, 1.f);
    drawBatch(pictures()->gauge(), 0, fill);
  }
}

void drawPictureRect(float fraction, u32 fillArgb, u32 backArgb, float x, float y, float width, float height,
                     float angle) {
  RenderState state;
  state.frontEnd = true;
  Transform t;
  t.position.set(x, y, 0.f);
  t.rotation.set(0.f, -angle, 0.f);
  t.scale.set(width / kFramePieceSide, height / kFramePieceSide, 1.f);
  state.setTransform(t);
  drawGaugeBar(fraction, fillArgb, backArgb, state);
}

void drawCursorMark(float x, float y) {
  if (!pictures()) {
    return;
  }
  RenderState state = placedState(x, y, kCursorDepth, 1.f, 1.f, 1.f);
  state.depthTest = false;
  state.depthWrite = false;
  drawBatch(pictures()->cursor(), 0, state);
}

void drawCursorAt(const SmoothPoint& point) { drawCursorMark(point.x(), point.y()); }

void drawCursorMarkDown(float x, float y) {
  if (!pictures()) {
    return;
  }
  // A quarter turn clockwise takes the tip's offset (tx, ty) to (ty, -tx).
  RenderState state;
  state.frontEnd = true;
  Transform t;
  t.position.set(x - kCursorTipY, y + kCursorTipX, kCursorDepth);
  t.rotation.set(0.f, 0.f, -90.f);
  state.setTransform(t);
  state.depthTest = false;
  state.depthWrite = false;
  drawBatch(pictures()->cursor(), 0, state);
}

void drawWall() {
  if (!pictures()) {
    return;
  }
  // Without a depth test: the wall hides all that was drawn before it, also
  // what stands nearer in the interface space (the title's stars).
  RenderState state;
  state.frontEnd = true;
  state.depthTest = false;
  state.depthWrite = false;
  drawModel(pictures()->wall().getModel(0), state, static_cast<float>(interfaceFrameCount()));
}

}  // namespace Game::UiDraw
