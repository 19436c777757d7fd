#pragma once

#include "Engine/Math/Vector3.h"

namespace Game {

class NmlNode;

// The texture rectangle (texels) and the extent every shape is built from.
struct ShapeFrame {
  float x = 0.f;
  float y = 0.f;
  float width = 1.f;
  float height = 1.f;
  Engine::Math::Vector3 size{1.f, 1.f, 1.f};

  // "rect" (x, y, width, height), then the size defaults to (width, height,
  // their mean) and "size" overrides it. Returns the first of the two keys
  // that holds a value that is not a finite number (the frame is then not to
  // be built from), or null.
  const char* read(const NmlNode& node);
  void setRect(float rectX, float rectY, float rectWidth, float rectHeight);
};

}  // namespace Game
