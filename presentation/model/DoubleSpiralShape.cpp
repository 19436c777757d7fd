#include "Engine/Math/Functions.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/ShapeRules.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kSampleDegrees = 15.f;

}  // namespace

void buildDoubleSpiral(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const float rotate = parameters.readFloat("rotate", 0.f);
  const Vector3& size = frame.size;
  // With no turn there is no descent to divide by.
  const float perDegree = rotate != 0.f ? 1.f / rotate : 0.f;
  // Far more samples than any mesh holds are refused before they are counted.
  if (rotate / kSampleDegrees > static_cast<float>(mesh.vertexRoom())) {
    mesh.markOverflowed();
    return;
  }
  const i32 first = mesh.vertexCount();
  float t = 0.f;
  for (;;) {
    MeshVertex* pair = mesh.addVertices(2);
    if (!pair) {
      return;
    }
    const float c = Engine::Math::cos(t);
    const float s = Engine::Math::sin(t);
    const Vector3 a(c * size.x / 2.f, s * size.y / 2.f, size.z / 2.f - size.z * t * perDegree);
    const Vector3 opposite(-a.x, -a.y, a.z);
    const Vector3 tangent(-s * size.x / 2.f, c * size.y / 2.f, size.z / 2.f - size.z * perDegree);
    const Vector3 oppositeTangent(-tangent.x, -tangent.y, tangent.z);
    const float v = frame.y + frame.height * t * perDegree;
    Vector3 across;
    across.setSub(opposite, a);
    pair[0].position = a;
    pair[0].uv.set(frame.x + frame.width, v);
    pair[0].normal.setCross(tangent, across);
    across *= -1.f;
    pair[1].position = opposite;
    pair[1].uv.set(frame.x, v);
    pair[1].normal.setCross(oppositeTangent, across);
    for (i32 j = 0; j < 2; ++j) {
      ShapeRules::normalizeOrKeep(pair[j].normal);
    }
    if (t >= rotate) {
      break;
    }
    t = t + kSampleDegrees < rotate ? t + kSampleDegrees : rotate;
  }
  for (i32 i = first; i + 2 < mesh.vertexCount(); ++i) {
    if (mesh.spansArea(i)) {
      mesh.addTriangle(i, i + 1, i + 2);
    }
  }
}

}  // namespace Game::Shape
