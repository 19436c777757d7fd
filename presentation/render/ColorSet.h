#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class NmlNode;

// The colour factors of a render state. colorBlend says how much of the
// parent's colours a child keeps: 1 multiplies them in, 0 replaces them.
struct ColorSet {
  // Reads "colorBlend" (percent), "diffuse", "specular", "ambient",
  // "emission" (three numbers or one, percent), "sharpness" and
  // "transparency" (integer percent); returns how many were present.
  Engine::i32 load(const NmlNode& node);
  // This set refined by a child's.
  void combine(const ColorSet& child);

  // Ambient not white or emission not black: the draw needs lighting.
  bool needsLighting() const;

  float colorBlend = 1.f;
  Engine::Math::Vector3 ambient{1.f, 1.f, 1.f};
  Engine::Math::Vector3 emission{0.f, 0.f, 0.f};
  Engine::Math::Vector3 diffuse{1.f, 1.f, 1.f};
  Engine::Math::Vector3 specular{0.f, 0.f, 0.f};
  float sharpness = 0.f;
  float transparency = 1.f;
};

}  // namespace Game
