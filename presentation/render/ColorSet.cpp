#include "presentation/render/ColorSet.h"

#include "core/math/MathHelper.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kColorPercent = 0.01f;

bool readPercentVector(const NmlNode& node, const char* key, Vector3* out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return false;
  }
  line->toVector(*out);
  *out *= kColorPercent;
  return true;
}

// (1 − t)·(1, 1, 1) + t·v, then times factor, per component.
Vector3 blendFromWhite(float t, const Vector3& v, const Vector3& factor) {
  Vector3 out;
  MathHelper::lerpVector(&out, t, Vector3(1.f), v);
  out *= factor;
  return out;
}

}  // namespace

i32 ColorSet::load(const NmlNode& node) {
  i32 read = 0;
  if (const NmlAttribute* line = node.findAttribute("colorBlend")) {
    colorBlend = line->toFloat(0) / 100.f;
    ++read;
  }
  read += readPercentVector(node, "diffuse", &diffuse);
  read += readPercentVector(node, "specular", &specular);
  read += readPercentVector(node, "ambient", &ambient);
  read += readPercentVector(node, "emission", &emission);
  if (const NmlAttribute* line = node.findAttribute("sharpness")) {
    sharpness = static_cast<float>(line->toInt(0)) / 100.f;
    ++read;
  }
  if (const NmlAttribute* line = node.findAttribute("transparency")) {
    transparency = static_cast<float>(line->toInt(0)) / 100.f;
    ++read;
  }
  return read;
}

void ColorSet::combine(const ColorSet& child) {
  const float t = child.colorBlend;
  ambient = blendFromWhite(t, ambient, child.ambient);
  diffuse = blendFromWhite(t, diffuse, child.diffuse);
  specular *= t;
  specular += child.specular;
  emission *= t;
  emission += child.emission;
  transparency = MathHelper::lerp(t, 1.f, transparency) * child.transparency;
  sharpness = sharpness * t + child.sharpness;
}

bool ColorSet::needsLighting() const { return !MathHelper::nearOneVector(ambient) || emission.squareLength() > 0.f; }

}  // namespace Game
