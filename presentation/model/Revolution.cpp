#include "Engine/Math/Functions.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeRules.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// An edge whose two ends coincide in the profile carries no band and no
// triangles: it makes a hard edge.
bool isDegenerateEdge(const RevolutionProfile& profile, i32 i) {
  return profile.radius[i] == profile.radius[i + 1] && profile.height[i] == profile.height[i + 1];
}

// The normal in the profile plane, (radial, vertical), before turning.
void profileNormal(const RevolutionProfile& profile, i32 i, float& radial, float& vertical) {
  if (profile.normalRadial) {
    radial = profile.normalRadial[i];
    vertical = profile.normalVertical[i];
    return;
  }
  const i32 prev = i > 0 ? i - 1 : i;
  const i32 next = i + 1 < profile.count ? i + 1 : i;
  radial = profile.height[prev] - profile.height[next];
  vertical = profile.radius[next] - profile.radius[prev];
}

}  // namespace

void buildSurfaceOfRevolution(MeshBuilder& mesh, const RevolutionProfile& profile, i32 segments, i32 first,
                              i32 last, const ShapeFrame& frame) {
  const i32 n = profile.count;
  const i32 ringSteps = last - first;
  i32 bands = 0;
  for (i32 i = 0; i + 1 < n; ++i) {
    bands += isDegenerateEdge(profile, i) ? 0 : 1;
  }
  // No band means no triangle: nothing to build (and no 0 to divide by).
  if (segments < 1 || ringSteps < 1 || bands == 0) {
    return;
  }
  const i32 base = mesh.vertexCount();
  MeshVertex* vertices = mesh.addVertices((ringSteps + 1) * n);
  i32* indices = mesh.addIndices(ringSteps * bands * 6);
  if (!vertices || !indices) {
    return;
  }
  const float bandHeight = frame.height / static_cast<float>(bands);
  for (i32 k = 0; k <= ringSteps; ++k) {
    const float angle = static_cast<float>(((k + first) * 360) / segments);
    const float c = Engine::Math::cos(angle);
    const float s = Engine::Math::sin(angle);
    const float u = static_cast<float>(k) * frame.width / static_cast<float>(ringSteps) + frame.x;
    i32 bandsBefore = 0;
    for (i32 i = 0; i < n; ++i) {
      MeshVertex& v = vertices[k * n + i];
      v.position.set(c * profile.radius[i] * frame.size.x / 2.f, s * profile.radius[i] * frame.size.y / 2.f,
                     profile.height[i] * frame.size.z / 2.f);
      v.uv.set(u, frame.y + bandHeight * static_cast<float>(bandsBefore));
      float radial = 0.f;
      float vertical = 0.f;
      profileNormal(profile, i, radial, vertical);
      v.normal.set(c * radial, s * radial, vertical);
      if (!profile.normalRadial) {
        ShapeRules::normalizeOrKeep(v.normal);
      }
      if (i + 1 < n && !isDegenerateEdge(profile, i)) {
        ++bandsBefore;
      }
    }
  }
  for (i32 k = 0; k < ringSteps; ++k) {
    for (i32 i = 0; i + 1 < n; ++i) {
      if (isDegenerateEdge(profile, i)) {
        continue;
      }
      const i32 a = base + k * n + i;
      const i32 b = a + n;
      const i32 triangles[6] = {a, b + 1, b, a, a + 1, b + 1};
      for (i32 t : triangles) {
        *indices++ = t;
      }
    }
  }
}

void buildRevolution(MeshBuilder& mesh, const RevolutionProfile& profile, const ShapeFrame& frame) {
  const i32 segments = ShapeRules::revolutionSegments(frame);
  buildSurfaceOfRevolution(mesh, profile, segments, 0, segments, frame);
}

}  // namespace Game::Shape
