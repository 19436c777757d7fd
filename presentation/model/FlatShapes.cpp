#include <initializer_list>

#include "Engine/Math/Functions.h"
#include "core/file/nml/NmlAttribute.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/PartTransform.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// A quad of the given rect and extent, turned and placed by the transforms
// in order.
void placeQuad(MeshBuilder& mesh, const ShapeFrame& frame, std::initializer_list<PartTransform> steps) {
  const i32 firstVertex = mesh.vertexCount();
  buildQuad(mesh, frame);
  for (const PartTransform& step : steps) {
    mesh.applyTransform(step, firstVertex);
  }
}

ShapeFrame pieceFrame(float x, float y, float width, float height, float sizeX, float sizeY) {
  ShapeFrame frame;
  frame.setRect(x, y, width, height);
  frame.size.set(sizeX, sizeY, (sizeX + sizeY) / 2.f);
  return frame;
}

}  // namespace

void buildCube(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  static const char* const kSideKeys[4] = {"xPlus", "yMinor", "xMinor", "yPlus"};
  const Vector3& size = frame.size;
  for (i32 k = 0; k < 4; ++k) {
    if (!parameters.readBool(kSideKeys[k], true)) {
      continue;
    }
    const ShapeFrame side = pieceFrame(frame.x, frame.y + frame.height, frame.width, frame.height,
                                       k % 2 ? size.x : size.y, size.z);
    const float turn = static_cast<float>(-90 * k);
    placeQuad(mesh, side,
              {PartTransform::rotation(90.f, 0.f, 0.f), PartTransform::rotation(0.f, 0.f, 90.f + turn),
               PartTransform::translation(Engine::Math::cos(turn) * size.x / 2.f,
                                          Engine::Math::sin(turn) * size.y / 2.f, 0.f)});
  }
  if (parameters.readBool("top", true)) {
    placeQuad(mesh, pieceFrame(frame.x, frame.y, frame.width, frame.height, size.x, size.y),
              {PartTransform::translation(0.f, 0.f, size.z / 2.f)});
  }
  if (parameters.readBool("bottom", true)) {
    placeQuad(mesh, pieceFrame(frame.x, frame.y + 2.f * frame.height, frame.width, frame.height, size.x, size.y),
              {PartTransform::rotation(180.f, 0.f, 0.f), PartTransform::translation(0.f, 0.f, -size.z / 2.f)});
  }
}

void buildDice(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const NmlAttribute* net = parameters.required("size");
  if (!net) {
    return;
  }
  const float a = static_cast<float>(net->toInt(0));
  const float b = static_cast<float>(net->toInt(1));
  const float c = static_cast<float>(net->toInt(2));
  const i32 firstVertex = mesh.vertexCount();
  placeQuad(mesh, pieceFrame(frame.x, frame.y, a, b, 1.f, 1.f), {PartTransform::translation(0.f, 0.f, 0.5f)});
  PartTransform bottom = PartTransform::rotation(0.f, 180.f, 0.f);
  bottom.position.set(0.f, 0.f, -0.5f);
  placeQuad(mesh, pieceFrame(frame.x, frame.y + b + c, a, b, 1.f, 1.f), {bottom});
  for (i32 k = 0; k < 4; ++k) {
    PartTransform stand = PartTransform::rotation(90.f, 0.f, 0.f);
    stand.position.set(0.f, -0.5f, 0.f);
    placeQuad(mesh, pieceFrame(frame.x + static_cast<float>(k) * a, frame.y + b, a, c, 1.f, 1.f),
              {stand, PartTransform::rotation(0.f, 0.f, static_cast<float>(90 * k))});
  }
  mesh.applyTransform(PartTransform::scaling(frame.size.x, frame.size.y, frame.size.z), firstVertex);
}

void buildTree(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const i32 count = parameters.readInt("number", 2);
  for (i32 k = 0; k < count && !mesh.overflowed(); ++k) {
    const ShapeFrame leaf = pieceFrame(frame.x, frame.y, frame.width, frame.height,
                                       k == 0 ? frame.size.x : frame.size.y, frame.size.z);
    placeQuad(mesh, leaf,
              {PartTransform::rotation(90.f, 0.f, 0.f),
               PartTransform::rotation(0.f, 0.f, static_cast<float>(k) * 180.f / static_cast<float>(count))});
  }
}

void buildRectPyramid(MeshBuilder& mesh, const ShapeFrame& frame, bool bottom) {
  if (bottom) {
    placeQuad(mesh, frame, {PartTransform::rotation(180.f, 0.f, 0.f)});
  }
  const Vector3& size = frame.size;
  UvTriangle uv;
  uv.uv[0].set(frame.x + frame.width / 2.f, frame.y + frame.height / 2.f);
  const Vector3 apex(0.f, 0.f, size.z);
  Vector3 corner[2];
  for (i32 k = 0; k < 4; ++k) {
    for (i32 c = 1; c <= 2; ++c) {
      const float alpha = static_cast<float>((k + 2 - c) * 90 + 45);
      const bool left = Engine::Math::cos(alpha) > 0.f;
      const bool front = Engine::Math::sin(alpha) <= 0.f;
      corner[c - 1].set(left ? -size.x / 2.f : size.x / 2.f, front ? -size.y / 2.f : size.y / 2.f, 0.f);
      uv.uv[c].set(left ? frame.x : frame.x + frame.width, front ? frame.y + frame.height : frame.y);
    }
    buildTriangle(mesh, uv, apex, corner[0], corner[1]);
  }
}

void buildRectPyramid(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  buildRectPyramid(mesh, frame, parameters.readFlag("bottom", true));
}

void buildOctahedron(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters&) {
  ShapeFrame half = frame;
  half.size.z /= 2.f;
  buildRectPyramid(mesh, half, false);
  const i32 lowerHalf = mesh.vertexCount();
  buildRectPyramid(mesh, half, false);
  mesh.applyTransform(PartTransform::rotation(180.f, 0.f, 0.f), lowerHalf);
}

void buildSingleTriangle(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  Vector3 corner[3];
  for (i32 i = 0; i < 3; ++i) {
    const NmlAttribute* line = parameters.required("vertex", i);
    if (!line) {
      return;
    }
    corner[i].set(static_cast<float>(line->toInt(0)), static_cast<float>(line->toInt(1)),
                  static_cast<float>(line->toInt(2)));
  }
  UvTriangle uv;
  uv.uv[0].set(frame.x, frame.y);
  uv.uv[1].set(frame.x, frame.y + frame.height);
  uv.uv[2].set(frame.x + frame.width, frame.y);
  buildTriangle(mesh, uv, corner[0], corner[1], corner[2]);
}

void buildPolygon(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const i32 sides = parameters.readInt("vertex", 3);
  if (sides < 1) {
    return;
  }
  const i32 base = mesh.vertexCount();
  MeshVertex* v = mesh.addVertices(sides + 2);
  i32* index = mesh.addIndices(sides * 3);
  if (!v || !index) {
    return;
  }
  v[0].position.set(0.f, 0.f, 0.f);
  v[0].uv.set(frame.x, frame.y);
  const float n = static_cast<float>(sides);
  for (i32 k = 0; k <= sides; ++k) {
    const float angle = static_cast<float>(k) * 360.f / n;
    v[k + 1].position.set(Engine::Math::cos(angle) * frame.size.x / 2.f,
                          Engine::Math::sin(angle) * frame.size.y / 2.f, 0.f);
    v[k + 1].uv.set(frame.x + static_cast<float>(k) * frame.width / n, frame.y + frame.height);
  }
  for (i32 k = 0; k < sides + 2; ++k) {
    v[k].normal.set(0.f, 0.f, 1.f);
  }
  for (i32 k = 0; k < sides; ++k) {
    *index++ = base;
    *index++ = base + k + 1;
    *index++ = base + k + 2;
  }
}

}  // namespace Game::Shape
