#include "resource/Database.h"

namespace Game {

namespace {

Database* gInstance = nullptr;

}  // namespace

void Database::create() {
  if (!gInstance) {
    gInstance = new Database();
  }
}

void Database::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

Database* Database::instance() { return gInstance; }

const MapSiteData* Database::findSite(const char*) const { return nullptr; }

}  // namespace Game
