#include "records/database/MapSiteData.h"

#include <cstring>
#include <string>

#include "core/file/nml/NmlDocument.h"
#include "records/constance/Keywords.h"
#include "core/file/DataError.h"
#include "records/database/MapReading.h"

namespace Game {

using Engine::i32;

namespace {

// A site's camera pitch offset, degrees: beyond a quarter turn either way the
// view would turn over.
constexpr float kMaxAngle = 90.f;
// Floors of one site; the sites' floors are summed.
constexpr i32 kMaxFloorNumber = 999;

[[noreturn]] void outOfRange(const char* key, const std::string& range) {
  DataError::badRecord(__FILE__, __LINE__, (std::string("\"") + key + "\" must be " + range).c_str());
}

}  // namespace

void MapSiteData::read(const NmlNode& node, const char* file) {
  mName = MapReading::required(node, "name", file).toString(0);
  mFolder = MapReading::required(node, "folder", file).toString(0);
  const NmlAttribute& start = MapReading::required(node, "start", file);
  mStartFile = start.toString(0);
  mStartPosition = start.toInt(1);
  mEncounter.load(MapReading::requiredChild(node, "encounter", file));
  mSave = Keyword::saveKind(MapReading::required(node, "save", file).toString(0));
  mBgm = MapReading::required(node, "BGM", file).toString(0);
  mSpotLight = MapReading::flag(node, "spotLight");
  mScene = MapReading::text(node, "scene");
  mAngle = MapReading::number(node, "angle");
  if (mAngle < -kMaxAngle || mAngle > kMaxAngle) {
    outOfRange("angle", "from -90 to 90");
  }
  mPrint = MapReading::text(node, "print", mName.c_str());
  mFloorNumber = MapReading::integer(node, "floorNumber");
  if (mFloorNumber < 0 || mFloorNumber > kMaxFloorNumber) {
    outOfRange("floorNumber", "from 0 to 999");
  }
}

void MapSiteList::load(const char* file) {
  NmlDocument document;
  document.load(file);
  read(document, file);
}

// Each site is named, with its line, in the messages of the keywords read.
void MapSiteList::read(const NmlNode& root, const char* file) {
  DataError::Scope scope(file);
  for (NmlNode::ChildList::Iterator it(root.children()); !it.isEnd(); it.next()) {
    const NmlNode& node = *it.value();
    if (std::strcmp(node.name(), "site") == 0) {
      const NmlAttribute* name = node.findAttribute("name");
      scope.setRecord("site", name ? name->toString(0) : "", node.line());
      mSites.emplace_back().read(node, file);
    }
  }
  // The game starts on a site: without one the links would take the blame.
  if (mSites.empty()) {
    scope.setRecord(nullptr, nullptr);
    DataError::badRecord(__FILE__, __LINE__, "no \"site\" record: the game needs one at least");
  }
}

const MapSiteData* MapSiteList::add(const MapSiteData& site) { return &mSites.emplace_back(site); }

const MapSiteData* MapSiteList::at(i32 i) const {
  return i >= 0 && i < count() ? &mSites[static_cast<std::size_t>(i)] : nullptr;
}

const MapSiteData* MapSiteList::find(const char* name) const {
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

i32 MapSiteList::totalFloorNumber() const {
  i32 total = 0;
  for (const MapSiteData& site : mSites) {
    total += site.floorNumber();
  }
  return total;
}

}  // namespace Game
