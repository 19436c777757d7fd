// The map-site half of the databases: a stand-in of sample sites built in
// code until the map database is read from its files.

#include <cstring>

#include "resource/Database.h"

namespace Game {

using Engine::i32;

namespace {

// The sample records; "src/data/map/head.txt" declares their variables.
struct SampleSite {
  const char* name;
  const char* title;
  i32 floorCount;
};
constexpr SampleSite kSampleSites[] = {
    {"オープニング", "始まりの広間", 0},
    {"灰の坑道", "灰の坑道", 5},
    {"沈黙の書庫", "沈黙の書庫", 3},
};

}  // namespace

void Database::createSites() {
  for (const SampleSite& site : kSampleSites) {
    addSite(site.name, site.title, site.floorCount);
  }
}

const MapSiteData* Database::findSite(const char* name) const {
  if (!name) {
    return nullptr;
  }
  for (const MapSiteData& site : mSites) {
    if (std::strcmp(site.name(), name) == 0) {
      return &site;
    }
  }
  return nullptr;
}

const MapSiteData* Database::siteAt(i32 i) const {
  return i >= 0 && static_cast<std::size_t>(i) < mSites.size() ? &mSites[static_cast<std::size_t>(i)] : nullptr;
}

i32 Database::totalFloorCount() const {
  i32 total = 0;
  for (const MapSiteData& site : mSites) {
    total += site.floorCount();
  }
  return total;
}

const MapSiteData* Database::addSite(const char* name, const char* title, i32 floorCount) {
  mSites.emplace_back(name, title, floorCount);
  return &mSites.back();
}

}  // namespace Game
