#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

void buildQuad(MeshBuilder& mesh, const ShapeFrame& frame) {
  const i32 base = mesh.vertexCount();
  MeshVertex* v = mesh.addVertices(4);
  i32* index = mesh.addIndices(6);
  if (!v || !index) {
    return;
  }
  const float halfX = frame.size.x / 2.f;
  const float halfY = frame.size.y / 2.f;
  v[0].position.set(-halfX, halfY, 0.f);
  v[1].position.set(halfX, halfY, 0.f);
  v[2].position.set(halfX, -halfY, 0.f);
  v[3].position.set(-halfX, -halfY, 0.f);
  v[0].uv.set(frame.x, frame.y);
  v[1].uv.set(frame.x + frame.width, frame.y);
  v[2].uv.set(frame.x + frame.width, frame.y + frame.height);
  v[3].uv.set(frame.x, frame.y + frame.height);
  for (i32 i = 0; i < 4; ++i) {
    v[i].normal.set(0.f, 0.f, 1.f);
  }
  const i32 order[6] = {0, 2, 1, 0, 3, 2};
  for (i32 i = 0; i < 6; ++i) {
    index[i] = base + order[i];
  }
}

void buildTriangle(MeshBuilder& mesh, const UvTriangle& uv, const Vector3& p0, const Vector3& p1,
                   const Vector3& p2) {
  Vector3 edge1;
  Vector3 edge2;
  edge1.setSub(p1, p0);
  edge2.setSub(p2, p0);
  Vector3 normal;
  normal.setCross(edge1, edge2);
  if (normal.squareLength() == 0.f) {
    return;
  }
  normal.normalize();
  const i32 base = mesh.vertexCount();
  MeshVertex* v = mesh.addVertices(3);
  if (!v || !mesh.addTriangle(base, base + 1, base + 2)) {
    return;
  }
  const Vector3* corners[3] = {&p0, &p1, &p2};
  for (i32 i = 0; i < 3; ++i) {
    v[i].position = *corners[i];
    v[i].normal = normal;
    v[i].uv = uv.uv[i];
  }
}

}  // namespace Game::Shape
