#include "presentation/model/ShapeFrame.h"

#include "core/file/nml/NmlNode.h"

namespace Game {

const char* ShapeFrame::read(const NmlNode& node) {
  const char* notFinite = nullptr;
  // A line that is not finite is only named (the node is refused), never
  // read: a number of a data file that is not finite stops the program.
  if (const NmlAttribute* rect = node.findAttribute("rect")) {
    if (rect->allFinite()) {
      setRect(rect->toFloat(0), rect->toFloat(1), rect->toFloat(2), rect->toFloat(3));
    } else {
      notFinite = "rect";
    }
  }
  size.set(width, height, (width + height) / 2.f);
  if (const NmlAttribute* line = node.findAttribute("size")) {
    if (line->allFinite()) {
      line->toVector(size);
    } else if (!notFinite) {
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
