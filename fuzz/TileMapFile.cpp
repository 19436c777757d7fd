// A ".fmf" tile map: the first byte chooses the layer count the caller asks
// for, the rest is the file. Any header is accepted or refused without a read
// outside the file, and every cell of an accepted map (and beyond its edges)
// reads within it. A map of six layers goes on to be built as a floor on a
// few chips made here (one of each kind, the chip layer choosing), and its
// meshes stay whole: no piece past 16-bit indices, no index past its piece.

#include <cstdint>
#include <cstdlib>
#include <deque>

#include "core/file/TileMapView.h"
#include "fuzz/FuzzStop.h"
#include "map/Map.h"
#include "map/MapMesh.h"
#include "records/database/MapPictureSet.h"

namespace {

struct FakePictures {
  FakePictures() {
    walls[0].bottom = static_cast<int>(0xff202020u);
    for (int i = 0; i < kChips; ++i) {
      chips[i].wall = i % 2 ? &walls[i % 3 == 0 ? 1 : 0] : nullptr;
      chips[i].section = i & 1;
      chips[i].water = i & 2;
      chips[i].cylinder = i & 4;
      chips[i].floating = i & 8;
    }
  }
  static constexpr int kChips = 16;
  Game::ChipPicture chips[kChips];
  Game::WallPicture walls[2];
  Game::MapPictureSet none;
};

void checkPieces(const Game::MapMesh::Pieces& pieces) {
  for (const auto& piece : pieces) {
    if (piece->overflowed() || piece->vertexCount() > 65536) {
      std::abort();
    }
    for (int i = 0; i < piece->indexCount(); ++i) {
      if (piece->index(i) < 0 || piece->index(i) >= piece->vertexCount()) {
        std::abort();
      }
    }
  }
}

void buildFloor(const Game::TileMapView& view) {
  static FakePictures pictures;
  Game::FloorSpecGrid specs = Game::Map::readFmfLayers(view, pictures.none, "fuzz.fmf");
  for (int x = 0; x < specs.width; ++x) {
    for (int y = 0; y < specs.height; ++y) {
      const int chip = view.chip(0, x, specs.height - 1 - y);
      specs.at(x, y).chip = chip == Game::TileMapView::kEmpty ? nullptr : &pictures.chips[chip % FakePictures::kChips];
    }
  }
  Game::Map map(pictures.none);
  map.build(specs);
  for (const Game::ChipPicture& chip : pictures.chips) {
    checkPieces(Game::MapMesh::chipGroup(map, chip, 65536));
  }
  for (const Game::WallPicture& wall : pictures.walls) {
    checkPieces(Game::MapMesh::wallGroup(map, wall, 65536));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Abort);
  backend.startInput();
  if (size < 1 || size > (1u << 20)) {
    return 0;
  }
  const int layerCount = data[0] % 8;
  Game::TileMapView map;
  if (map.read(data + 1, static_cast<int>(size - 1), layerCount)) {
    if (map.isValid() || map.chip(0, 0, 0) != Game::TileMapView::kEmpty) {
      std::abort();
    }
    return 0;
  }
  for (int layer = -1; layer <= layerCount; ++layer) {
    for (int y = -1; y <= map.height(); ++y) {
      for (int x = -1; x <= map.width(); ++x) {
        const int index = map.chipIndex(layer, x, y);
        if (index < -1 || index > 255 + 255 * 8) {
          std::abort();
        }
      }
    }
  }
  if (layerCount == Game::Map::kLayerCount) {
    buildFloor(map);
  }
  return 0;
}
