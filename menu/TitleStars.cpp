#include "menu/TitleStars.h"

#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/ui/ModelDraw.h"
#include "presentation/ui/UiDraw.h"

namespace Game {

namespace {

constexpr Engine::u32 kPointColor = 0xFFFFF0A0;

}  // namespace

void TitleStars::updateAndDraw() {
  for (Star& star : mStars) {
    star.time += 1.f;
    RenderState state;
    Transform place;
    place.position = star.position;
    state.applyTransform(place);
    state.frontEnd = true;
    drawModel(mModel, state, star.time);
    // A point of light where the star is, while interface models draw nothing.
    UiDraw::drawRect(star.position.x - 1.f, star.position.y + 1.f, 3.f, 3.f, kPointColor);
  }
}

}  // namespace Game
