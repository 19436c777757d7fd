#include "presentation/model/ShapeFrame.h"

#include "file/nml/NmlNode.h"

namespace Game {

void ShapeFrame::read(const NmlNode& node) {
  if (const NmlAttribute* rect = node.findAttribute("rect")) {
    setRect(rect->toFloat(0), rect->toFloat(1), rect->toFloat(2), rect->toFloat(3));
  }
  size.set(width, height, (width + height) / 2.f);
  if (const NmlAttribute* line = node.findAttribute("size")) {
    line->toVector(size);
  }
}

void ShapeFrame::setRect(float rectX, float rectY, float rectWidth, float rectHeight) {
  x = rectX;
  y = rectY;
  width = rectWidth;
  height = rectHeight;
}

}  // namespace Game
