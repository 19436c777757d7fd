#include <algorithm>

#include "core/file/nml/NmlNode.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/ShapeRules.h"
#include "presentation/model/Shapes.h"
#include "presentation/motion/Curve.h"
#include "presentation/motion/Vec3Curve.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kPercent = 100.f;

// The colour curves of the belt's two edges.
struct BeltEdges {
  Curve transparency[2];
  Vec3Curve color[2];
  i32 transparencyCount;
  i32 colorCount;

  // A belt has two places of each kind; further children are ignored. Data
  // gives the curves in percent onto places that start at 0, so a channel a
  // node leaves out reads 0; a belt without such nodes is opaque white.
  explicit BeltEdges(const NmlNode& node)
      : transparencyCount(std::min(node.countChildren("transparency"), 2)),
        colorCount(std::min(node.countChildren("color"), 2)) {
    if (transparencyCount == 0) {
      transparency[0].setConstant(1.f);
    }
    if (colorCount == 0) {
      color[0].setConstant(Vector3(1.f, 1.f, 1.f));
    }
    for (i32 i = 0; i < transparencyCount; ++i) {
      transparency[i].load(*node.findChild("transparency", i));
      transparency[i].scale(1.f / kPercent);
    }
    for (i32 i = 0; i < colorCount; ++i) {
      color[i].load(*node.findChild("color", i));
      color[i].scale(1.f / kPercent);
    }
  }

  Color at(i32 edge, float t) const {
    const Curve& alpha = transparency[transparencyCount > 1 ? edge : 0];
    const Vector3 rgb = color[colorCount > 1 ? edge : 0].valueAt(t);
    return Color(alpha.valueAt(t), rgb.x, rgb.y, rgb.z);
  }
};

// Samples t = 0 .. time, each step the sampler's but none finer than time
// over half the builder's vertex capacity; the sample at `time` is the last.
// A belt of more samples than the mesh has vertices for is refused whole
// (the mesh is marked overflowed), as is one whose strip then overflows the
// index entries.
template <class Sampler>
void sweep(MeshBuilder& mesh, float time, Sampler& sampler) {
  const i32 maxPairs = mesh.vertexRoom() / 2;
  const i32 halfCapacity = mesh.vertexCapacity() / 2;
  float t = 0.f;
  for (i32 pairs = 1;; ++pairs) {
    if (pairs > maxPairs) {
      mesh.markOverflowed();
      return;
    }
    const float step = ShapeRules::beltStep(time, sampler.emit(mesh.addVertices(2), t), halfCapacity);
    if (t >= time) {
      return;
    }
    t = std::min(t + step, time);
  }
}

void addStrip(MeshBuilder& mesh, i32 first, bool skipFlat) {
  for (i32 i = first; i + 2 < mesh.vertexCount(); ++i) {
    if (!skipFlat || mesh.spansArea(i)) {
      mesh.addTriangle(i, i + 1, i + 2);
    }
  }
}

struct BetweenCurves {
  const ShapeFrame& frame;
  const BeltEdges& edges;
  Vec3Curve curve[2];
  float time;

  float emit(MeshVertex* pair, float t) const {
    const Vector3 p0 = curve[0].valueAt(t);
    const Vector3 p1 = curve[1].valueAt(t);
    Vector3 across;
    across.setSub(p0, p1);
    float fastest = 0.f;
    for (i32 j = 0; j < 2; ++j) {
      MeshVertex& v = pair[j];
      v.position = j == 0 ? p0 : p1;
      v.uv.set(frame.x + static_cast<float>(1 - j) * frame.width, frame.y + frame.height * t / time);
      v.color = edges.at(j, t);
      const Vector3 velocity = curve[j].velocityAt(t);
      v.normal.setCross(velocity, across);
      ShapeRules::normalizeOrKeep(v.normal);
      fastest = std::max(fastest, velocity.length());
    }
    return (time / 2.f) / (fastest + 1.f);
  }
};

struct AlongCurve {
  const ShapeFrame& frame;
  const BeltEdges& edges;
  Vec3Curve centre;
  Vec3Curve axis;
  Curve width;
  float time;

  float emit(MeshVertex* pair, float t) const {
    const Vector3 c = centre.valueAt(t);
    Vector3 up;
    up.setSub(axis.valueAt(t), c);
    ShapeRules::normalizeOrKeep(up);
    const Vector3 velocity = centre.velocityAt(t);
    Vector3 side;
    side.setCross(velocity, up);
    ShapeRules::normalizeOrKeep(side);
    side *= width.valueAt(t) / 2.f;
    for (i32 j = 0; j < 2; ++j) {
      MeshVertex& v = pair[j];
      v.position = c;
      if (j == 0) {
        v.position += side;
      } else {
        v.position -= side;
      }
      v.uv.set(frame.x + static_cast<float>(j) * frame.width, frame.y + frame.height * t / time);
      v.normal = up;
      v.color = edges.at(j, t);
    }
    const float accel = centre.accelAt(t).length();
    return (time / 2.f) / (velocity.length() + accel * accel + axis.velocityAt(t).length() + 1.f);
  }
};

}  // namespace

void buildBelt(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const NmlAttribute* timeLine = parameters.required("time");
  const NmlNode* node = parameters.node();
  if (!timeLine || !node) {
    return;
  }
  const i32 curves = node->countChildren("curve");
  if (curves == 0) {
    parameters.noteMissing("curve");
    return;
  }
  // v runs over t / time: a belt of no time has no length to sweep.
  const float time = static_cast<float>(timeLine->toInt(0));
  if (!(time > 0.f)) {
    return;
  }
  const BeltEdges edges(*node);
  const i32 first = mesh.vertexCount();
  if (curves == 2) {
    BetweenCurves sampler{frame, edges, {}, time};
    sampler.curve[0].load(*node->findChild("curve", 0));
    sampler.curve[1].load(*node->findChild("curve", 1));
    sweep(mesh, time, sampler);
    addStrip(mesh, first, true);
    return;
  }
  AlongCurve sampler{frame, edges, {}, {}, {}, time};
  sampler.centre.load(*node->findChild("curve"));
  sampler.axis.setConstant(Vector3(0.f, 0.f, 65536.f));
  if (node->countChildren("axis") > 0) {
    sampler.axis.load(*node->findChild("axis"));
  }
  sampler.width.setConstant(64.f);
  if (node->countChildren("width") > 0) {
    sampler.width.load(*node->findChild("width"));
  }
  sweep(mesh, time, sampler);
  addStrip(mesh, first, false);
}

}  // namespace Game::Shape
