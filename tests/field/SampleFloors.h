#pragma once

#include "core/map/MapBuildQueue.h"
#include "core/file/FileLoader.h"
#include "records/Database.h"

namespace FieldTestSupport {

// Reads the databases and map sites afresh from the files the fixture put
// (the loader's ring still holds the lists found missing before), with the
// floor-build queue the field needs.
inline void loadSampleFloors() {
  Game::FileLoader::destroy();
  Game::FileLoader::create();
  Game::Database::destroy();
  Game::Database::create();
  Game::Database::instance()->load();
  Game::Database::instance()->loadMaps();
  Game::MapBuildQueue::create();
}

}  // namespace FieldTestSupport
