#include "presentation/model/MeshBuilder.h"

#include "core/math/MathHelper.h"
#include "presentation/model/MinMaxTracker.h"
#include "presentation/model/PartTransform.h"
#include "presentation/model/PointLightSet.h"

namespace Game {

using Engine::i32;
using Engine::u32;
using Engine::Math::Vector3;

MeshBuilder::MeshBuilder(i32 vertexCapacity, i32 indexCapacity) {
  mVertices.setSize(vertexCapacity);
  mIndices.setSize(indexCapacity);
}

void MeshBuilder::clear() {
  mVertexCount = 0;
  mIndexCount = 0;
  mOverflowed = false;
  mVertices.clear();
  mIndices.clear();
}

MeshVertex* MeshBuilder::addVertices(i32 count) {
  if (count < 0 || count > vertexRoom()) {
    mOverflowed = true;
    return nullptr;
  }
  MeshVertex* first = mVertices.data() + mVertexCount;
  for (i32 i = 0; i < count; ++i) {
    first[i].color = Color();
  }
  mVertexCount += count;
  return first;
}

i32* MeshBuilder::addIndices(i32 count) {
  if (count < 0 || count > indexRoom()) {
    mOverflowed = true;
    return nullptr;
  }
  i32* first = mIndices.data() + mIndexCount;
  mIndexCount += count;
  return first;
}

bool MeshBuilder::addTriangle(i32 a, i32 b, i32 c) {
  i32* entry = addIndices(3);
  if (!entry) {
    return false;
  }
  entry[0] = a;
  entry[1] = b;
  entry[2] = c;
  return true;
}

void MeshBuilder::truncate(i32 vertexCount, i32 indexCount) {
  if (vertexCount >= 0 && vertexCount < mVertexCount) {
    mVertexCount = vertexCount;
  }
  if (indexCount >= 0 && indexCount < mIndexCount) {
    mIndexCount = indexCount;
  }
  mOverflowed = false;
}

bool MeshBuilder::append(const MeshBuilder& part) {
  if (part.mVertexCount > vertexRoom() || part.mIndexCount > indexRoom()) {
    mOverflowed = true;
    return false;
  }
  const i32 base = mVertexCount;
  MeshVertex* vertices = addVertices(part.mVertexCount);
  for (i32 i = 0; i < part.mVertexCount; ++i) {
    vertices[i] = part.vertex(i);
  }
  i32* indices = addIndices(part.mIndexCount);
  for (i32 i = 0; i < part.mIndexCount; ++i) {
    indices[i] = base + part.index(i);
  }
  return true;
}

void MeshBuilder::applyTransform(const PartTransform& transform, i32 firstVertex) {
  Engine::Math::Matrix34 matrix;
  transform.toMatrix(matrix);
  for (i32 i = firstVertex; i < mVertexCount; ++i) {
    MeshVertex& v = vertex(i);
    const Vector3 position = v.position;
    matrix.multiply(&v.position, position);
    const Vector3 normal = v.normal;
    matrix.multiply33(&v.normal, normal);
    if (transform.reverseNormal) {
      v.normal *= -1.f;
    }
    if (v.normal.squareLength() != 0.f) {
      v.normal.normalize();
    }
  }
  multiplyColor(transform.color, firstVertex);
}

void MeshBuilder::multiplyColor(const Color& color, i32 firstVertex) {
  for (i32 i = firstVertex; i < mVertexCount; ++i) {
    vertex(i).color.multiply(color);
  }
}

void MeshBuilder::applyLinearGradation(const Color& color1, const Color& color2, const Vector3& vector,
                                       i32 firstVertex) {
  MinMaxTracker range(0.f);
  for (i32 i = firstVertex; i < mVertexCount; ++i) {
    range.add(vertex(i).position.dot(vector), -1);
  }
  const float span = range.max() - range.min();
  Color shade;
  for (i32 i = firstVertex; i < mVertexCount; ++i) {
    MeshVertex& v = vertex(i);
    const float t = span != 0.f ? (v.position.dot(vector) - range.min()) / span : 0.f;
    shade.lerp(t, color1, color2);
    v.color.multiply(shade);
  }
}

void MeshBuilder::applyRadialGradation(const Color& color1, const Color& color2, const Vector3& center,
                                       i32 firstVertex) {
  MinMaxTracker range(0.f);
  Vector3 offset;
  for (i32 i = firstVertex; i < mVertexCount; ++i) {
    offset.setSub(vertex(i).position, center);
    range.add(offset.length(), -1);
  }
  PointLightSet light;
  light.addLight(center, color1, color2, range.max(), 0.f);
  light.applyTo(*this, firstVertex);
}

bool MeshBuilder::spansArea(Engine::i32 first) const {
  Engine::Math::Vector3 e1;
  Engine::Math::Vector3 e2;
  e1.setSub(vertex(first + 1).position, vertex(first).position);
  e2.setSub(vertex(first + 2).position, vertex(first).position);
  Engine::Math::Vector3 normal;
  normal.setCross(e1, e2);
  return normal.squareLength() != 0.f;
}

}  // namespace Game
