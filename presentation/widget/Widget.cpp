#include "presentation/widget/Widget.h"

#include "core/input/KeyInput.h"
#include "presentation/render/Transform.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/ModelDraw.h"

namespace Game::Widget {

using Engine::i32;

namespace {

constexpr i32 kDecideKey = 5;

}  // namespace

void Widget::drawTree(float offsetX, float offsetY) {
  draw(offsetX, offsetY, drawFlag);
  for (OwnedList<Widget>::Iterator it(children); !it.isEnd(); it.next()) {
    it.value()->drawTree(offsetX + x, offsetY + y);
  }
}

Picture* Widget::addPicture(Model* model, const RenderState& state) {
  auto* picture = new Picture();
  picture->model = model;
  picture->state = state;
  children.pushBack(picture);
  return picture;
}

void Text::set(const char* newText, Engine::u32 argb, i32 newFont) {
  font = newFont;
  text.assign(newText);
  color = argb;
  i32 columns = 0;
  i32 w = 0;
  i32 h = 0;
  TextWriter::measure(&columns, &lineCount, &w, &h, text.c_str(), font);
  width = static_cast<float>(w);
  height = static_cast<float>(h);
}

bool Text::isDecided() { return selectable && KeyInput::isTriggered(kDecideKey); }

void Text::draw(float offsetX, float offsetY, Engine::u8) {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  writer.setFont(font);
  writer.setPosition(static_cast<i32>(x + offsetX), static_cast<i32>(y + offsetY));
  writer.setColor(color);
  writer.print(text.c_str());
}

void Picture::draw(float offsetX, float offsetY, Engine::u8) {
  RenderState s = state;
  s.transform.setTranslation((x + offsetX) / Transform::kWorldUnitsPerMatrixUnit,
                             (y + offsetY) / Transform::kWorldUnitsPerMatrixUnit, 0.f);
  s.frontEnd = true;
  drawModel(model, s, static_cast<float>(interfaceFrameCount()));
}

}  // namespace Game::Widget
