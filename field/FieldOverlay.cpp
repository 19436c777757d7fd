#include "field/FieldOverlay.h"

#include "core/string/String.h"
#include "map/MapGenerator.h"
#include "presentation/model/Animation.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/Batch.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

using Engine::i32;

namespace {

RenderState interfaceState(float x, float y, const Engine::Math::Vector3& rotation) {
  RenderState state;
  state.frontEnd = true;
  Transform place;
  place.position.set(x, y, 0.f);
  place.rotation = rotation;
  state.setTransform(place);
  return state;
}

}  // namespace

void FieldOverlay::draw(const FieldOverlayView& view) const {
  if (view.floorNumber != 0) {
    drawFloorNumber(view.floorNumber);
  }
  drawCompass(view);
  if (!view.mapHeld && view.generator && view.hasPlayer && view.mappedCells) {
    drawAutomap(view);
  }
}

void FieldOverlay::drawFloorNumber(i32 floorNumber) const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  String text;
  text.assignNumber(floorNumber, 0, false);
  text.append(kFloorSuffix);
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kNumberFont);
  writer.setColor(kNumberColor);
  writer.setPosition(static_cast<i32>(kNumberX), static_cast<i32>(kNumberY));
  writer.print(text.c_str());
  UiDraw::drawTextFrame(kNumberFrameColor);
}

// The compass leans back with the camera's pitch and turns against its
// heading, so its needle keeps to the floor's north.
void FieldOverlay::drawCompass(const FieldOverlayView& view) const {
  GuiPictures* pictures = GuiPictures::instance();
  if (!pictures) {
    return;
  }
  const RenderState state =
      interfaceState(kCompassX, kCompassY, {view.pitch - 90.f, 0.f, -90.f - view.yaw});
  if (const Batch* cursor = pictures->compassBatch("cursor")) {
    RenderState animated = state;
    pictures->compass().findAnimation("cursor").apply(animated, static_cast<float>(view.frame));
    cursor->draw(animated);
  }
  if (const Batch* ring = pictures->compassBatch("ring")) {
    ring->draw(state);
  }
}

// The map turns as the compass does, so that a step on the floor moves the
// player's mark across the map the way the figure goes on screen.
void FieldOverlay::drawAutomap(const FieldOverlayView& view) const {
  const RenderState base = interfaceState(0.f, 0.f, {0.f, 0.f, 0.f});
  view.generator->drawAutomap(base, *view.mappedCells, view.playerX, view.playerY, view.stairsX, view.stairsY,
                              static_cast<float>(view.playerX), static_cast<float>(view.playerY),
                              -90.f - view.yaw);
}

}  // namespace Game
