// Tile-map layers read into cell specs, and the spec grid's lookups.

#include <string>

#include "core/file/DataError.h"
#include "core/file/TileMapFile.h"
#include "core/file/TileMapView.h"
#include "map/Map.h"
#include "records/database/MapPictureSet.h"

namespace Game {

using Engine::i32;

namespace {

// Layers of a floor's tile map.
enum Layer : i32 { kChipLayer = 0, kSlopeLayer = 1, kHeightLayer = 2, kObjectLayer = 3, kEventLayer = 4, kLightLayer = 5 };

constexpr i32 kEmpty = TileMapView::kEmpty;

void readHeight(FloorCellSpec& spec, i32 index) { spec.height = index < 0 ? 0 : index * 2; }

void readObject(FloorCellSpec& spec, MapPictureSet& pictures, i32 raw) {
  if (raw == kEmpty) {
    return;
  }
  spec.object = pictures.objectNumbered((raw >> 10) * 16 + (raw & 255));
  spec.rotation = (raw & 1023) >> 8;
}

void readSlope(FloorCellSpec& spec, i32 raw) {
  spec.slope = raw;
  spec.smooth = raw == FloorCellSpec::kSmooth;
  spec.pit = raw == FloorCellSpec::kPit;
}

void readLight(FloorCellSpec& spec, i32 raw) {
  const i32 low = raw & 255;
  const i32 high = raw >> 8;
  if (low >= 2) {
    return;
  }
  const i32 kind = (high >> 2) + 1;
  if (kind != FloorCellSpec::kAddingLight && kind != FloorCellSpec::kSubtractingLight) {
    return;
  }
  spec.lightKind = kind;
  spec.lightRadius = static_cast<float>(((high & 3) + 1) * 96);
  spec.lightParameter = static_cast<float>(low) * 0.5f;
}

}  // namespace

void FloorSpecGrid::resize(i32 w, i32 h) {
  width = w;
  height = h;
  cells.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), FloorCellSpec());
}

FloorCellSpec& FloorSpecGrid::specOfEvent(i32 eventId) {
  for (i32 x = 0; x < width; ++x) {
    for (i32 y = 0; y < height; ++y) {
      if (at(x, y).eventId == eventId) {
        return at(x, y);
      }
    }
  }
  DataError::Scope scope(name.c_str());
  DataError::badRecord(__FILE__, __LINE__, ("no cell carries event " + std::to_string(eventId)).c_str());
}

FloorSpecGrid Map::readFmfLayers(const TileMapView& view, MapPictureSet& pictures, const char* name) {
  FloorSpecGrid grid;
  grid.name = name;
  grid.resize(view.width(), view.height());
  for (i32 x = 0; x < grid.width; ++x) {
    for (i32 y = 0; y < grid.height; ++y) {
      const i32 row = grid.height - 1 - y;
      FloorCellSpec& spec = grid.at(x, y);
      readHeight(spec, view.chipIndex(kHeightLayer, x, row));
      spec.chip = pictures.chipAt(view.chipColumn(kChipLayer, x, row), view.chipRow(kChipLayer, x, row));
      spec.eventId = view.chipIndex(kEventLayer, x, row);
      readObject(spec, pictures, view.chip(kObjectLayer, x, row));
      readSlope(spec, view.chip(kSlopeLayer, x, row));
      readLight(spec, view.chip(kLightLayer, x, row));
    }
  }
  return grid;
}

FloorSpecGrid Map::loadFmf(const char* name) {
  TileMapFile file;
  const std::string path = std::string(name) + ".fmf";
  if (!file.load(name, kLayerCount)) {
    // Read again for the fault: the file reports it only on the debug stream.
    TileMapView refused;
    const char* problem = file.size() > 0
                              ? refused.read(reinterpret_cast<const Engine::u8*>(file.data()), file.size(), kLayerCount)
                              : "missing or empty";
    DataError::Scope scope(path.c_str());
    DataError::badRecord(__FILE__, __LINE__, (std::string("floor tile map ") + problem).c_str());
  }
  return readFmfLayers(file.view(), *mPictures, path.c_str());
}

void Map::buildFromFmf(const char* name) { build(loadFmf(name)); }

}  // namespace Game
