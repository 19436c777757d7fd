#include "map/Map.h"

#include "map/MapGeometry.h"
#include "presentation/model/Model.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "records/Database.h"
#include "records/database/MapPictureSet.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

Map::Mesh::Mesh() = default;
Map::Mesh::~Mesh() = default;

namespace {

// Without a database (tools, tests) floors are bare rock.
MapPictureSet& databasePictures() {
  static MapPictureSet none;
  Database* database = Database::instance();
  return database ? database->maps().mapPictures : none;
}

}  // namespace

Map::Map() : Map(databasePictures()) {}

Map::Map(MapPictureSet& pictures) : mPictures(&pictures) {}

Map::~Map() = default;

void Map::reset() {
  mMeshes.clear();
  mObjects.clear();
  mCells.clear();
  mWidth = 0;
  mHeight = 0;
  mOrigin.set(0.f, 0.f, 0.f);
  mLights.clear();
  mReaches.clear();
  mHasAddingLight = false;
  mNextChip = 0;
  mNextWall = 0;
}

void Map::build(const FloorSpecGrid& specs) {
  reset();
  mName = specs.name;
  if (MapBuildQueue* queue = MapBuildQueue::instance()) {
    queue->add(this);
  }
  mWidth = specs.width;
  mHeight = specs.height;
  mOrigin.set(static_cast<float>(-mWidth * kCellSize) / 2.f, static_cast<float>(-mHeight * kCellSize) / 2.f, 0.f);
  mCells.assign(specs.cells.size(), Cell());
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      Cell& cell = inside(x, y);
      cell.map = this;
      cell.x = x;
      cell.y = y;
      buildCell(cell, specs.at(x, y));
    }
  }
  for (i32 x = 1; x <= mWidth - 2; ++x) {
    for (i32 y = 1; y <= mHeight - 2; ++y) {
      if (specs.at(x, y).smooth) {
        smoothCell(inside(x, y));
      }
    }
  }
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      const FloorCellSpec& spec = specs.at(x, y);
      if (spec.object) {
        placeObject(x, y, *spec.object, spec.rotation);
      }
    }
  }
}

namespace {

// Corner offsets of a ramp rising toward direction s % 4 by 2 × step.
void setRamp(i32 (&corners)[4], i32 s, i32 step) {
  static constexpr i32 kSigns[4][4] = {{1, 1, -1, -1}, {-1, 1, 1, -1}, {-1, -1, 1, 1}, {1, -1, -1, 1}};
  for (i32 c = 0; c < 4; ++c) {
    corners[c] = kSigns[s % 4][c] * step;
  }
}

// A diagonal ramp raises corner s % 4 by t and lowers the opposite one.
void setDiagonalRamp(i32 (&corners)[4], i32 s, i32 t) {
  const i32 high = s % 4;
  corners[high] = t;
  corners[(high + 2) % 4] = -t;
}

}  // namespace

void Map::buildCell(Cell& cell, const FloorCellSpec& spec) {
  cell.chip = spec.chip;
  cell.eventId = spec.eventId;
  cell.pit = spec.pit;
  cell.chipPresent = spec.chipPresent;
  i32 h = spec.height;
  const i32 s = spec.slope;
  if (s >= 0 && s < FloorCellSpec::kFlat) {
    const i32 step = s / 4 + 1;
    h += step;
    setRamp(cell.corners, s, step);
  } else if (s >= FloorCellSpec::kDiagonal && s <= FloorCellSpec::kDiagonalEnd) {
    const i32 t = ((s & 255) / 4) * 2 + 2;
    h += t;
    setDiagonalRamp(cell.corners, s, t);
  }
  cell.height = h;
  if (spec.lightKind != FloorCellSpec::kNoLight) {
    mReaches.push_back({cell.centre(), spec.lightRadius * spec.lightRadius});
  }
  if (spec.lightKind == FloorCellSpec::kAddingLight) {
    mHasAddingLight = true;
    mLights.addLight(cell.centre(), Color(1.f, 1.f, 1.f, 1.f), Color(0.f, 0.f, 0.f, 0.f), spec.lightRadius, spec.lightParameter);
  } else if (spec.lightKind == FloorCellSpec::kSubtractingLight) {
    // Transparent, so that taking light away never takes the floor's alpha.
    mLights.addSubtractiveLight(cell.centre(), Color(0.f, 1.f, 1.f, 1.f), Color(0.f, 0.f, 0.f, 0.f), spec.lightRadius,
                                spec.lightParameter);
  }
}

void Map::smoothCell(Cell& cell) {
  const i32 h = cell.height;
  cell.corners[0] = 0;
  cell.corners[1] = inside(cell.x + 1, cell.y).height - h;
  cell.corners[2] = inside(cell.x + 1, cell.y - 1).height - h;
  cell.corners[3] = inside(cell.x, cell.y - 1).height - h;
}

void Map::placeObject(i32 x, i32 y, const MapObjectPicture& object, i32 rotation) {
  Cell* cell = cellAt(x, y);
  if (!cell) {
    return;
  }
  ObjectInstance instance;
  instance.model = const_cast<MapObjectPicture&>(object).picture.find("main");
  instance.transform.position = cell->centre();
  instance.transform.rotation.z = static_cast<float>(rotation) * 90.f;
  if (rotation > 0 && object.materials && object.materials->materials().count() >= rotation) {
    instance.material = object.materials->materials().at(rotation - 1);
  }
  for (const MapReading::CellOffset& offset : object.keepOut) {
    const MapReading::CellOffset turned = MapGeometry::turn(offset, rotation);
    if (Cell* blocked = cellAt(x + turned.x, y + turned.y)) {
      blocked->blockedByObject = true;
    }
  }
  for (const MapReading::CellOffset& offset : object.step) {
    const MapReading::CellOffset turned = MapGeometry::turn(offset, rotation);
    if (Cell* stepped = cellAt(x + turned.x, y + turned.y)) {
      stepped->walkableOverride = true;
    }
  }
  instance.lit = object.lighting;
  if (instance.lit) {
    instance.color = lightAt(instance.transform.position, 0.2f);
  }
  instance.cull = object.disappear;
  mObjects.push_back(instance);
}

Map::Cell* Map::cellAt(i32 x, i32 y) {
  return const_cast<Cell*>(static_cast<const Map*>(this)->cellAt(x, y));
}

const Map::Cell* Map::cellAt(i32 x, i32 y) const {
  if (x < 0 || x >= mWidth || y < 0 || y >= mHeight) {
    return nullptr;
  }
  return &mCells[static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth) + static_cast<std::size_t>(x)];
}

Map::Cell& Map::inside(i32 x, i32 y) {
  return mCells[static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth) + static_cast<std::size_t>(x)];
}

const Map::Cell* Map::findEvent(i32 eventId) const {
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      if (cellAt(x, y)->eventId == eventId) {
        return cellAt(x, y);
      }
    }
  }
  return nullptr;
}

Vector3 Map::worldToCell(const Vector3& position) const {
  const Vector3 o = origin();
  return Vector3((position.x - o.x) / kCellSize, (position.y - o.y) / kCellSize, position.z / kHeightUnit);
}

bool Map::isBuilt() const {
  return mNextChip >= mPictures->chipCount() && mNextWall >= mPictures->wallCount();
}

}  // namespace Game
