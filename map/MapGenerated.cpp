// Floors built from the random floor generator.
#include "map/Map.h"
#include "map/MapGenerator.h"

namespace Game {

using Engine::i32;

FloorSpecGrid MapGenerator::specGrid() const {
  FloorSpecGrid specs;
  specs.name = mConfig.file;
  specs.resize(mWidth, mHeight);
  for (i32 x = 0; x < mWidth; ++x) {
    for (i32 y = 0; y < mHeight; ++y) {
      const Cell& source = cell(x, y);
      FloorCellSpec& spec = specs.at(x, y);
      spec.height = source.spec.height;
      spec.chip = source.spec.chip;
      spec.object = source.spec.object;
      spec.rotation = source.rotation;
      spec.eventId = source.eventId;
    }
  }
  return specs;
}

void Map::buildFromGenerator(const MapGenerator& generator) {
  FloorSpecGrid specs = generator.specGrid();
  FloorCellSpec& stairs = specs.specOfEvent(generator.config().stairsEvent);
  stairs.chipPresent = false;
  stairs.object = generator.config().stairsObject;
  build(specs);
}

}  // namespace Game
