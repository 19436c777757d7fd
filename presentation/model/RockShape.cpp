#include "Engine/Math/Functions.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr i32 kRockPoints = 20;

struct RockPoints {
  Vector3 point[kRockPoints];
  i32 count = 0;

  i32 add(const Vector3& p) {
    point[count] = p;
    return count++;
  }
};

struct Face {
  i32 a, b, c;
};

// A tetrahedron on the unit sphere refined twice: every triangle of a pass
// adds the point above its centre and three triangles to it.
void refinedTetrahedron(RockPoints& points) {
  points.add(Vector3(0.f, 0.f, 1.f));
  const float ring = Engine::Math::sqrt(8.f / 9.f);
  for (i32 k = 0; k < 3; ++k) {
    const float angle = static_cast<float>(120 * k);
    points.add(Vector3(Engine::Math::cos(angle) * ring, Engine::Math::sin(angle) * ring, -1.f / 3.f));
  }
  Face faces[4 + 12 + 36] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};
  i32 passStart = 0;
  i32 passEnd = 4;
  i32 faceCount = 4;
  for (i32 pass = 0; pass < 2; ++pass) {
    for (i32 f = passStart; f < passEnd; ++f) {
      const Face face = faces[f];
      Vector3 centre = points.point[face.a];
      centre += points.point[face.b];
      centre += points.point[face.c];
      centre.normalize();
      const i32 p = points.add(centre);
      faces[faceCount++] = {p, face.a, face.b};
      faces[faceCount++] = {p, face.b, face.c};
      faces[faceCount++] = {p, face.c, face.a};
    }
    passStart = passEnd;
    passEnd = faceCount;
  }
}

// Every triple with all other points on one side is a hull face, wound so
// that the others lie behind it.
void buildConvexHull(MeshBuilder& mesh, const RockPoints& points, const Vector3& scale) {
  UvTriangle uv;
  uv.uv[0].set(0.f, 0.f);
  uv.uv[1].set(1.f, 0.f);
  uv.uv[2].set(0.f, 1.f);
  for (i32 i = 0; i < points.count; ++i) {
    for (i32 j = i + 1; j < points.count; ++j) {
      for (i32 k = j + 1; k < points.count; ++k) {
        const Vector3& pi = points.point[i];
        Vector3 ij;
        Vector3 ik;
        ij.setSub(points.point[j], pi);
        ik.setSub(points.point[k], pi);
        Vector3 normal;
        normal.setCross(ij, ik);
        i32 negative = 0;
        i32 others = 0;
        for (i32 m = 0; m < points.count; ++m) {
          if (m == i || m == j || m == k) {
            continue;
          }
          Vector3 im;
          im.setSub(points.point[m], pi);
          negative += normal.dot(im) < 0.f ? 1 : 0;
          ++others;
        }
        if (negative != 0 && negative != others) {
          continue;
        }
        Vector3 corner[3] = {points.point[i], points.point[j], points.point[k]};
        for (Vector3& c : corner) {
          c *= scale;
        }
        if (negative == others) {
          buildTriangle(mesh, uv, corner[0], corner[1], corner[2]);
        } else {
          buildTriangle(mesh, uv, corner[0], corner[2], corner[1]);
        }
      }
    }
  }
}

}  // namespace

void buildRock(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  // "cut" is accepted for the data's sake; the refinement is always two passes.
  parameters.readInt("cut", 2);
  RockPoints points;
  refinedTetrahedron(points);
  Vector3 half = frame.size;
  half *= 0.5f;
  buildConvexHull(mesh, points, half);
}

}  // namespace Game::Shape
