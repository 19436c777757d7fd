#include "presentation/picture/GuiPictures.h"

#include <algorithm>

#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/ui/ModelDraw.h"

namespace Game {

using Engine::i32;

namespace {

GuiPictures* gInstance = nullptr;

constexpr float kFlipDegrees = 180.f;

}  // namespace

// The sets are read in their fixed order, not in the order of the members.
GuiPictures::GuiPictures() {
  mGauge.load("src/picture/gui/呪力.txt");
  mArrow.load("src/picture/gui/矢印.txt");
  mSpot.load("src/picture/gui/スポット.txt");
  mIcon.load("src/picture/gui/アイコン.txt");
  mCompass.load("src/picture/gui/コンパス.txt");
}

void GuiPictures::create() {
  if (!gInstance) {
    gInstance = new GuiPictures();
  }
}

void GuiPictures::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

GuiPictures* GuiPictures::instance() { return gInstance; }

Model* GuiPictures::findIcon(const char* name) const { return name ? mIcon.findModel(name) : nullptr; }

Model* GuiPictures::icon(const char* name) { return gInstance ? gInstance->findIcon(name) : nullptr; }

void GuiPictures::drawGauge(float x, float y, float scale, bool flip, i32 filled, i32 total,
                            const char* modelName) const {
  RenderState row;
  row.frontEnd = true;
  Transform placement;
  placement.position.set(x, y, 0.f);
  placement.rotation.set(0.f, flip ? kFlipDegrees : 0.f, 0.f);
  placement.scale.set(scale, scale, scale);
  row.setTransform(placement);

  const Model* full = mGauge.findModel(modelName);
  const Model* empty = mGauge.findModel("empty");
  const i32 shownFilled = std::min(filled, total);
  for (i32 i = 0; i < total; ++i) {
    RenderState pip = row;
    Transform step;
    step.position.set(kPipSpacing * static_cast<float>(i), 0.f, 0.f);
    pip.applyTransform(step);
    drawModel(i < shownFilled ? full : empty, pip, 0.f);
  }
}

void GuiPictures::drawGaugeStack(float x, float y, float scale, bool flip, i32 filled, i32 total, i32 second,
                                 i32 third) const {
  drawGauge(x, y, scale, flip, filled, total, "active");
  const float rowScale = kStackRowScale * scale;
  drawGauge(x, y - kStackRowSpacing * scale, rowScale, flip, second, second, "active");
  drawGauge(x, y - 2.f * kStackRowSpacing * scale, rowScale, flip, third, third, "invalid");
}

}  // namespace Game
