#include <vector>

#include "Engine/Math/Functions.h"
#include "core/file/nml/NmlAttribute.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/ShapeRules.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// More outline points than the mesh could ever hold are refused before the
// outline is allocated (each edge takes at least two vertices).
constexpr i32 kMaxOutlinePoints = MeshBuilder::kModelCapacity;

struct OutlinePoints {
  std::vector<float> x;
  std::vector<float> y;

  void add(float angle, float radius) {
    x.push_back(Engine::Math::cos(angle) * radius);
    y.push_back(Engine::Math::sin(angle) * radius);
  }
  Outline outline() const {
    Outline o;
    o.x = x.data();
    o.y = y.data();
    o.count = static_cast<i32>(x.size());
    return o;
  }
};

// Whether `count` items of `perItem` outline points each are to be built. A
// negative count (a wrapped number in the file) is out of range, and one the
// mesh cannot hold marks it overflowed: either way the node is refused. The
// point count is formed only after this check, so it cannot overflow.
bool acceptPointCount(MeshBuilder& mesh, ShapeParameters& parameters, const char* key, i32 count,
                      i32 perItem = 1) {
  if (count < 0) {
    parameters.noteOutOfRange(key);
    return false;
  }
  if (count > kMaxOutlinePoints / perItem) {
    mesh.markOverflowed();
    return false;
  }
  return count > 0;
}

// 1 / sharp, with a sharpness of 0 (no star at all) giving a plain outline.
float innerRadius(float sharp) { return sharp != 0.f ? 1.f / sharp : 1.f; }

// count points alternating between radius 1 (even) and `inner` (odd).
OutlinePoints starOutline(i32 count, float inner) {
  OutlinePoints points;
  for (i32 k = 0; k < count; ++k) {
    points.add(static_cast<float>(k) * 360.f / static_cast<float>(count), k % 2 ? inner : 1.f);
  }
  return points;
}

}  // namespace

void buildPrism(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  i32 count = parameters.readInt("number", 8);
  count = parameters.readInt("vertex", count);
  const i32 density = parameters.readInt("density", 1);
  ExtrusionOptions options;
  options.top = parameters.readBool("top", true);
  options.bottom = parameters.readBool("bottom", true);
  options.side = parameters.readBool("side", true);
  if (const NmlAttribute* proportion = parameters.find("proportion")) {
    options.proportionTop = parameters.readFloat(*proportion, 0) / 100.f;
    options.proportionBottom = parameters.readFloat(*proportion, 1) / 100.f;
  }
  options.loopU = ShapeRules::loopUFromText(parameters.readString("loopU", ""));
  if (!acceptPointCount(mesh, parameters, parameters.find("vertex") ? "vertex" : "number", count)) {
    return;
  }
  OutlinePoints points;
  for (i32 k = 0; k < count; ++k) {
    points.add(static_cast<float>(k) * 360.f * static_cast<float>(density) / static_cast<float>(count), 1.f);
  }
  buildExtrusion(mesh, points.outline(), frame, options);
}

void buildStar(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const i32 tips = parameters.readInt("vertex", 5);
  ExtrusionOptions options;
  options.top = parameters.readFlag("top", true);
  options.bottom = parameters.readFlag("bottom", true);
  options.side = parameters.readFlag("side", true);
  const float sharp = parameters.readFloat("sharp", 2.f);
  if (!acceptPointCount(mesh, parameters, "vertex", tips, 2)) {
    return;
  }
  buildExtrusion(mesh, starOutline(2 * tips, innerRadius(sharp)).outline(), frame, options);
}

void buildGear(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const NmlAttribute* line = parameters.required("z");
  if (!line) {
    return;
  }
  const i32 teeth = line->toInt(0);
  if (!acceptPointCount(mesh, parameters, "z", teeth, 4)) {
    return;
  }
  const float w = 360.f / static_cast<float>(teeth);
  const float e = w / 16.f;
  OutlinePoints points;
  for (i32 i = 0; i < teeth; ++i) {
    const float a = static_cast<float>(i) * w;
    points.add(a + e, 1.f);
    points.add(a + w / 2.f - e, 1.f);
    points.add(a + w / 2.f + e, 0.8f);
    points.add(a + w - e, 0.8f);
  }
  buildExtrusion(mesh, points.outline(), frame, ExtrusionOptions());
}

void buildBipyramid(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const i32 count = parameters.readInt("vertex", 10);
  const bool top = parameters.readBool("top", true);
  const bool bottom = parameters.readBool("bottom", true);
  const float sharp = parameters.readFloat("sharp", 1.f);
  if (!acceptPointCount(mesh, parameters, "vertex", count)) {
    return;
  }
  const OutlinePoints points = starOutline(count, innerRadius(sharp));
  const float band = frame.height / static_cast<float>(1 + (top ? 1 : 0) + (bottom ? 1 : 0));
  UvTriangle topUv;
  topUv.uv[0].set(frame.x + frame.width / 2.f, frame.y);
  topUv.uv[1].set(frame.x, frame.y + band);
  topUv.uv[2].set(frame.x + frame.width, frame.y + band);
  const float offset = top ? band : 0.f;
  UvTriangle bottomUv;
  bottomUv.uv[0].set(frame.x + frame.width / 2.f, frame.y + offset + band);
  bottomUv.uv[1].set(frame.x, frame.y + offset);
  bottomUv.uv[2].set(frame.x + frame.width, frame.y + offset);
  const Vector3 upper(0.f, 0.f, frame.size.z / 2.f);
  const Vector3 lower(0.f, 0.f, -frame.size.z / 2.f);
  for (i32 i = 0; i < count && !mesh.overflowed(); ++i) {
    const std::size_t a = static_cast<std::size_t>(i);
    const std::size_t b = static_cast<std::size_t>((i + 1) % count);
    const Vector3 p(points.x[a] * frame.size.x / 2.f, points.y[a] * frame.size.y / 2.f, 0.f);
    const Vector3 q(points.x[b] * frame.size.x / 2.f, points.y[b] * frame.size.y / 2.f, 0.f);
    if (top) {
      buildTriangle(mesh, topUv, upper, p, q);
    }
    if (bottom) {
      buildTriangle(mesh, bottomUv, lower, q, p);
    }
  }
}

}  // namespace Game::Shape
