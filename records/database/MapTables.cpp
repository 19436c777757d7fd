#include "records/database/MapTables.h"

#include <string>

namespace Game {

namespace {

constexpr const char* kSceneDirectory = "src/picture/scene/";

}  // namespace

void MapTables::loadPictures() {
  units.load();
  symbols.load();
  mapPictures.load();
}

void MapTables::loadSites() {
  sites.load();
  for (Engine::i32 i = 0; i < sites.count(); ++i) {
    if (*sites.at(i)->scene()) {
      MapReading::requireFile(MapSiteList::kFile, scenePicture(sites.at(i)->scene())->path());
    }
  }
}

PictureList* MapTables::scenePicture(const char* name) {
  return name && *name ? &scenes.get(kSceneDirectory + std::string(name) + ".txt") : nullptr;
}

void MapTables::releaseMapPictures() {
  mapPictures.release();
  scenes.release();
  units.release();
}

}  // namespace Game
