#include "map/MapMesh.h"

#include <algorithm>
#include <cmath>

#include "map/Map.h"
#include "map/MapGeometry.h"
#include "records/database/MapPictureSet.h"

namespace Game::MapMesh {

using Engine::i32;
using Engine::u32;
using Engine::Math::Vector2;
using Engine::Math::Vector3;

namespace {

constexpr float kTexels = Map::kTexelsPerCell;
constexpr float kHalfCell = Map::kCellSize / 2.f;
constexpr u32 kSideGrey = 0xFF808080u;
// How far a raised corner's normal leans away from each higher neighbour.
constexpr float kTilt = 0.5f;
constexpr i32 kQuadIndices[6] = {0, 2, 1, 0, 3, 2};
constexpr float kPi = 3.14159265358979f;

// Pieces of a group, a new one begun whenever a face would not fit; each
// holds what is left to write, up to the limit.
class PieceWriter {
 public:
  PieceWriter(i32 vertices, i32 indices, i32 maxVertices)
      : mVerticesLeft(vertices), mIndicesLeft(indices), mMaxVertices(maxVertices) {}

  // The piece the next face of that size goes to.
  MeshBuilder& room(i32 vertices, i32 indices) {
    if (mPieces.empty() || mPieces.back()->vertexRoom() < vertices || mPieces.back()->indexRoom() < indices) {
      if (!mPieces.empty()) {
        mVerticesLeft -= mPieces.back()->vertexCount();
        mIndicesLeft -= mPieces.back()->indexCount();
      }
      mPieces.push_back(std::make_unique<MeshBuilder>(std::min(mVerticesLeft, mMaxVertices),
                                                      std::min(mIndicesLeft, mMaxVertices * kIndicesPerVertex)));
    }
    return *mPieces.back();
  }
  // Four vertices as a quad; returns the first.
  MeshVertex* quad() {
    MeshBuilder& mesh = room(4, 6);
    const i32 first = mesh.vertexCount();
    MeshVertex* v = mesh.addVertices(4);
    i32* index = mesh.addIndices(6);
    for (i32 i = 0; i < 6; ++i) {
      index[i] = first + kQuadIndices[i];
    }
    return v;
  }
  Pieces take() { return std::move(mPieces); }

 private:
  // A piece reaches its vertex limit with quads before its index limit.
  static constexpr i32 kIndicesPerVertex = 2;
  i32 mVerticesLeft;
  i32 mIndicesLeft;
  i32 mMaxVertices;
  Pieces mPieces;
};

// The cell tests take the map's cell pointers as they come: a cell outside
// the map (null) has neither top nor sides.
bool hasTop(const Map::Cell* cell, const ChipPicture& chip) {
  return cell && cell->chip == &chip && cell->chipPresent && !cell->pit;
}

bool hasSides(const Map::Cell* cell, const WallPicture& wall) {
  return cell && cell->chip && cell->chip->wall == &wall && cell->chipPresent;
}

template <class Test>
i32 countCells(const Map& map, Test test) {
  i32 count = 0;
  for (i32 x = 0; x < map.width(); ++x) {
    for (i32 y = 0; y < map.height(); ++y) {
      count += test(map.cellAt(x, y)) ? 1 : 0;
    }
  }
  return count;
}

// The normal at a top corner: up across the edges to the next corners, and
// at a raised corner of dry ground leant away from the higher cells around.
Vector3 topNormal(const Map& map, const Map::Cell& cell, const Vector3 (&p)[4], i32 c) {
  Vector3 toPrevious;
  Vector3 toNext;
  toPrevious.setSub(p[MapGeometry::wrap(c - 1)], p[c]);
  toNext.setSub(p[MapGeometry::wrap(c + 1)], p[c]);
  Vector3 normal;
  normal.setCross(toPrevious, toNext);
  normal.normalize();
  if (cell.isWater() || !map.isCornerRaised(cell, c)) {
    return normal;
  }
  for (i32 k = 0; k < 4; ++k) {
    const Map::Cell* around = map.neighbour(cell, c, k);
    if (!around || around == &cell) {
      continue;
    }
    const Vector3 centre = around->centre();
    if (centre.z > p[c].z) {
      Vector3 away(p[c].x - centre.x, p[c].y - centre.y, 0.f);
      away.normalize();
      away *= kTilt;
      normal += away;
    }
  }
  normal.normalize();
  return normal;
}

void addTopQuad(PieceWriter& writer, const Map& map, Map::Cell& cell) {
  static constexpr float kU[4] = {0.f, kTexels, kTexels, 0.f};
  static constexpr float kV[4] = {0.f, 0.f, kTexels, kTexels};
  Vector3 p[4];
  for (i32 c = 0; c < 4; ++c) {
    p[c] = cell.cornerPosition(c);
  }
  MeshBuilder& mesh = writer.room(4, 6);
  cell.topFirstIndex = mesh.indexCount();
  cell.topTriangles = 2;
  MeshVertex* v = writer.quad();
  for (i32 c = 0; c < 4; ++c) {
    v[c].position = p[c];
    v[c].uv = Vector2(kTexels * static_cast<float>(cell.x) + kU[c], -kTexels * static_cast<float>(cell.y) + kV[c]);
    v[c].color = map.edgeColor(cell, c);
    v[c].normal = topNormal(map, cell, p, c);
  }
}

Vector3 rimOffset(i32 i) {
  const float angle = static_cast<float>(i) * 2.f * kPi / kCylinderSides;
  return Vector3(kHalfCell * std::cos(angle), kHalfCell * std::sin(angle), 0.f);
}

void addCylinderTop(PieceWriter& writer, Map::Cell& cell) {
  MeshBuilder& mesh = writer.room(kCylinderSides + 1, kCylinderSides * 3);
  cell.topFirstIndex = mesh.indexCount();
  cell.topTriangles = kCylinderSides;
  const i32 first = mesh.vertexCount();
  MeshVertex* v = mesh.addVertices(kCylinderSides + 1);
  const Vector3 centre = cell.centre();
  const Vector2 uvCentre(kTexels * (static_cast<float>(cell.x) + 0.5f), kTexels * (0.5f - static_cast<float>(cell.y)));
  for (i32 i = 0; i <= kCylinderSides; ++i) {
    const Vector3 offset = i == 0 ? Vector3(0.f) : rimOffset(i - 1);
    v[i].position = centre;
    v[i].position += offset;
    v[i].uv = Vector2(uvCentre.x + offset.x * kTexels / Map::kCellSize, uvCentre.y - offset.y * kTexels / Map::kCellSize);
    v[i].normal = Vector3(0.f, 0.f, 1.f);
  }
  for (i32 i = 0; i < kCylinderSides; ++i) {
    mesh.addTriangle(first, first + 1 + i, first + 1 + (i + 1) % kCylinderSides);
  }
}

}  // namespace

Pieces chipGroup(Map& map, const ChipPicture& chip, i32 maxVertices) {
  const i32 cylinders = countCells(map, [&](const Map::Cell* cell) { return hasTop(cell, chip) && cell->isCylinder(); });
  const i32 quads = countCells(map, [&](const Map::Cell* cell) { return hasTop(cell, chip); }) - cylinders;
  PieceWriter writer(quads * 4 + cylinders * (kCylinderSides + 1), quads * 6 + cylinders * kCylinderSides * 3,
                     maxVertices);
  for (i32 x = 0; x < map.width(); ++x) {
    for (i32 y = 0; y < map.height(); ++y) {
      Map::Cell* cell = map.cellAt(x, y);
      if (!hasTop(cell, chip)) {
        continue;
      }
      cell->isCylinder() ? addCylinderTop(writer, *cell) : addTopQuad(writer, map, *cell);
    }
  }
  return writer.take();
}

namespace {

// Whether the cell shows a side toward direction d.
bool needsSide(const Map& map, const Map::Cell& cell, i32 d) {
  const Map::Cell* next = map.cellAt(cell.x + MapGeometry::kStepX[d], cell.y + MapGeometry::kStepY[d]);
  if (!next || !next->chip || !next->chipPresent || next->isFloating() || next->pit != cell.pit) {
    return true;
  }
  if (next->isWater() && !cell.isWater()) {
    return true;
  }
  // The shared edge: this cell's corners d and d + 1 are the neighbour's
  // d + 3 and d + 2.
  return next->cornerPosition(d + 3).z < cell.cornerPosition(d).z ||
         next->cornerPosition(d + 2).z < cell.cornerPosition(d + 1).z;
}

i32 sideCount(const Map& map, const Map::Cell& cell, const WallPicture& wall) {
  if (!hasSides(&cell, wall)) {
    return 0;
  }
  if (cell.isCylinder()) {
    return kCylinderSides;
  }
  i32 count = 0;
  for (i32 d = 0; d < 4; ++d) {
    count += needsSide(map, cell, d) ? 1 : 0;
  }
  return count;
}

struct SideColors {
  Color top;
  Color bottom;
};

SideColors sideColors(const Map::Cell& cell, const WallPicture& wall) {
  const Color bottom(static_cast<u32>(wall.bottom));
  if (cell.pit) {
    return {bottom, Color()};
  }
  return {Color(kSideGrey), bottom};
}

// One side: upper corners a (left, seen from outside) and b, with the points
// below them; u runs from u0.
void addSide(PieceWriter& writer, const Vector3 (&corner)[4], const Vector3& normal, float u0,
             const SideColors& colors) {
  MeshVertex* v = writer.quad();
  for (i32 i = 0; i < 4; ++i) {
    v[i].position = corner[i];
    v[i].normal = normal;
  }
  // Top-left, top-right, bottom-right, bottom-left.
  const float dropRight = corner[1].z - corner[2].z;
  const float dropLeft = corner[0].z - corner[3].z;
  v[0].uv = Vector2(u0, 0.f);
  v[1].uv = Vector2(u0 + kTexels, 0.f);
  v[2].uv = Vector2(u0 + kTexels, dropRight * kTexels / Map::kCellSize);
  v[3].uv = Vector2(u0, dropLeft * kTexels / Map::kCellSize);
  v[0].color = v[1].color = colors.top;
  v[2].color = v[3].color = colors.bottom;
}

void addSquareSides(PieceWriter& writer, const Map& map, const Map::Cell& cell, const SideColors& colors) {
  for (i32 d = 0; d < 4; ++d) {
    if (!needsSide(map, cell, d)) {
      continue;
    }
    const i32 left = MapGeometry::wrap(d + 1);
    const Vector3 corners[4] = {cell.cornerPosition(left), cell.cornerPosition(d), cell.lowerPoint(d),
                                cell.lowerPoint(left)};
    const Vector3 normal(static_cast<float>(MapGeometry::kStepX[d]), static_cast<float>(MapGeometry::kStepY[d]), 0.f);
    // Along the side, in cells: x for sides facing ±y, y for the others.
    const float along = static_cast<float>(d % 2 == 0 ? cell.x : cell.y);
    addSide(writer, corners, normal, kTexels * along, colors);
  }
}

void addCylinderSides(PieceWriter& writer, const Map::Cell& cell, const SideColors& colors) {
  const Vector3 centre = cell.centre();
  const float bottomZ = cell.lowerPoint(0).z;
  for (i32 i = 0; i < kCylinderSides; ++i) {
    Vector3 a = centre;
    Vector3 b = centre;
    a += rimOffset(i);
    b += rimOffset(i + 1);
    const Vector3 corners[4] = {a, b, Vector3(b.x, b.y, bottomZ), Vector3(a.x, a.y, bottomZ)};
    Vector3 normal = rimOffset(i);
    normal += rimOffset(i + 1);
    normal.normalize();
    addSide(writer, corners, normal, kTexels * static_cast<float>(i), colors);
  }
}

}  // namespace

Pieces wallGroup(const Map& map, const WallPicture& wall, i32 maxVertices) {
  i32 sides = 0;
  for (i32 x = 0; x < map.width(); ++x) {
    for (i32 y = 0; y < map.height(); ++y) {
      const Map::Cell* cell = map.cellAt(x, y);
      sides += cell ? sideCount(map, *cell, wall) : 0;
    }
  }
  PieceWriter writer(sides * 4, sides * 6, maxVertices);
  for (i32 x = 0; x < map.width(); ++x) {
    for (i32 y = 0; y < map.height(); ++y) {
      const Map::Cell* cell = map.cellAt(x, y);
      if (!hasSides(cell, wall)) {
        continue;
      }
      const SideColors colors = sideColors(*cell, wall);
      cell->isCylinder() ? addCylinderSides(writer, *cell, colors) : addSquareSides(writer, map, *cell, colors);
    }
  }
  return writer.take();
}

}  // namespace Game::MapMesh
