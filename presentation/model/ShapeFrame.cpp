#include "presentation/model/ShapeFrame.h"

#include "file/nml/NmlNode.h"

namespace Game {

const char* ShapeFrame::read(const NmlNode& node) {
  const char* notFinite = nullptr;
  if (const NmlAttribute* rect = node.findAttribute("rect")) {
    setRect(rect->toFloat(0), rect->toFloat(1), rect->toFloat(2), rect->toFloat(3));
    notFinite = rect->allFinite() ? nullptr : "rect";
  }
  size.set(width, height, (width + height) / 2.f);
  if (const NmlAttribute* line = node.findAttribute("size")) {
    line->toVector(size);
    if (!notFinite && !line->allFinite()) {
      notFinite = "size";
    }
  }
  return notFinite;
}

void ShapeFrame::setRect(float rectX, float rectY, float rectWidth, float rectHeight) {
  x = rectX;
  y = rectY;
  width = rectWidth;
  height = rectHeight;
}

}  // namespace Game
