// The cells' geometry and flags, the corners they share and the colours the
// floor's top faces take there.

#include "map/Map.h"
#include "map/MapGeometry.h"
#include "presentation/model/MeshBuilder.h"
#include "records/database/MapPictureSet.h"

namespace Game {

using Engine::i32;
using Engine::u32;
using Engine::Math::Vector3;
using MapGeometry::wrap;

namespace {

constexpr float kHalfCell = Map::kCellSize / 2.f;
constexpr u32 kLevelGrey = 0xFF808080u;
constexpr u32 kOpaqueBlack = 0xFF000000u;
// A corner this far below the mean of its neighbours still counts as raised.
constexpr float kRaisedMargin = -4.f;

// Where the cells around corner c of a cell start, and how the k-th moves on.
constexpr i32 kAroundBaseX[4] = {-1, 0, 0, -1};
constexpr i32 kAroundBaseY[4] = {0, 0, -1, -1};
constexpr i32 kAroundStepX[4] = {0, 1, 1, 0};
constexpr i32 kAroundStepY[4] = {1, 1, 0, 0};

}  // namespace

Vector3 Map::Cell::centre() const {
  const Vector3 o = map->origin();
  return Vector3(o.x + static_cast<float>(x * kCellSize), o.y + static_cast<float>(y * kCellSize),
                 static_cast<float>(height * kHeightUnit));
}

Vector3 Map::Cell::cornerPosition(i32 corner, bool* cylinder) const {
  const i32 c = wrap(corner);
  Vector3 p = centre();
  p.x += kHalfCell * static_cast<float>(MapGeometry::kCornerX[c]);
  p.y += kHalfCell * static_cast<float>(MapGeometry::kCornerY[c]);
  p.z = static_cast<float>((height + corners[c]) * kHeightUnit);
  if (pit) {
    p.z = kPitZ;
  }
  if (cylinder) {
    *cylinder = isCylinder();
  }
  if (!chip || isCylinder()) {
    p.z = -1.f;
  }
  return p;
}

Vector3 Map::Cell::lowerPoint(i32 corner) const {
  Vector3 p = isCylinder() ? centre() : cornerPosition(corner);
  if (isFloating()) {
    p.z -= kFloatDepth;
  } else {
    p.z = kSideBottomZ;
  }
  return p;
}

bool Map::Cell::isPassable() const {
  return !pit && (walkableOverride || (chip && !isWater())) && !isSection() && !blockedByObject;
}

bool Map::Cell::isSection() const { return chip && chipPresent && chip->section; }
bool Map::Cell::isWater() const { return chip && chipPresent && chip->water; }
bool Map::Cell::isCylinder() const { return chip && chipPresent && chip->cylinder; }
bool Map::Cell::isFloating() const { return chip && chipPresent && chip->floating; }
const WallPicture* Map::Cell::wall() const { return chip ? chip->wall : nullptr; }

const Map::Cell* Map::neighbour(const Cell& cell, i32 corner, i32 k, i32* sharedCorner) const {
  const i32 c = wrap(corner);
  const i32 step = wrap(k);
  if (sharedCorner) {
    *sharedCorner = wrap(step + 2);
  }
  return cellAt(cell.x + kAroundBaseX[c] + kAroundStepX[step], cell.y + kAroundBaseY[c] + kAroundStepY[step]);
}

float Map::averageCornerZ(const Cell& cell, i32 corner) const {
  float sum = 0.f;
  i32 count = 0;
  for (i32 k = 0; k < 4; ++k) {
    i32 shared = 0;
    if (const Cell* around = neighbour(cell, corner, k, &shared)) {
      sum += around->cornerPosition(shared).z;
      ++count;
    }
  }
  return sum / static_cast<float>(count);  // the cell itself is always one
}

bool Map::isCornerRaised(const Cell& cell, i32 corner) const {
  const float margin = cell.isSection() ? 0.f : kRaisedMargin;
  return cell.cornerPosition(corner).z - averageCornerZ(cell, corner) > margin;
}

Color Map::edgeColor(const Cell& cell, i32 corner) const {
  if (isCornerRaised(cell, corner)) {
    return Color();
  }
  if (!cell.isSection()) {
    return Color(kLevelGrey);
  }
  for (i32 k = 0; k < 4; ++k) {
    const Cell* around = neighbour(cell, corner, k);
    if (around && !around->isSection()) {
      return Color();
    }
  }
  const WallPicture* wall = cell.wall();
  return Color(wall ? static_cast<u32>(wall->bottom) : kOpaqueBlack);
}

Color Map::lightAt(const Vector3& position, float ambient) const {
  Color out;
  mLights.colorAt(out, position, Color(0.f, ambient, ambient, ambient));
  return out;
}

void Map::bakeLights(MeshBuilder& mesh) const {
  // Out of every light's reach: white, or the dim base under adding lights.
  const float base = mHasAddingLight ? 0.1f : 1.f;
  const Color unlit(1.f, base, base, base);
  for (i32 i = 0; i < mesh.vertexCount(); ++i) {
    MeshVertex& vertex = mesh.vertex(i);
    bool reached = false;
    for (const Reach& reach : mReaches) {
      Vector3 offset;
      offset.setSub(vertex.position, reach.position);
      if (offset.squareLength() < reach.radiusSquared) {
        reached = true;
        break;
      }
    }
    vertex.color.multiply(reached ? lightAt(vertex.position, 0.f) : unlit);
  }
}

}  // namespace Game
