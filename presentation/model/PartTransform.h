#pragma once

#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Vector3.h"
#include "presentation/render/Color.h"

namespace Game {

class NmlNode;

// The transform a model node applies to its own shape and all its parts:
// p' = position + Ry · Rx · Rz · (scale ⊙ p), angles in degrees.
struct PartTransform {
  Engine::Math::Vector3 position{0.f, 0.f, 0.f};
  Engine::Math::Vector3 scale{1.f, 1.f, 1.f};
  Engine::Math::Vector3 rotate{0.f, 0.f, 0.f};
  bool reverseNormal = false;
  Color color;

  // The defaults overridden by the node's "position", "scale" (percent),
  // "rotate", "reverseNormal" (present at all) and "color" (packed ARGB).
  // Returns the first vector key that holds a value that is not a finite
  // number (the transform is then not to be applied), or null.
  const char* read(const NmlNode& node);
  // translate · rotateY · rotateX · rotateZ · scale.
  void toMatrix(Engine::Math::Matrix34& out) const;

  static PartTransform translation(float x, float y, float z);
  static PartTransform rotation(float x, float y, float z);
  static PartTransform scaling(float x, float y, float z);
};

}  // namespace Game
