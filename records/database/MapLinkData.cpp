#include "records/database/MapLinkData.h"

#include <cstdio>
#include <string_view>

#include "core/file/nml/NmlDocument.h"
#include "records/database/MapReading.h"
#include "records/database/MapSiteData.h"

namespace Game {

using Engine::i32;

namespace {

// Arrival through a link lies this many positions after the linked one.
constexpr i32 kArrivalOffset = 8;

}  // namespace

void MapContainerData::read(const NmlNode& node, const char* file) {
  position = MapReading::required(node, "position", file).toInt(0);
  char fallback[16];
  std::snprintf(fallback, sizeof fallback, "%02d", static_cast<int>(position));
  name = MapReading::text(node, "name", fallback);
  money = MapReading::integer(node, "money");
  tool = MapReading::text(node, "tool");
  expression = MapReading::text(node, "expression");
}

void MapLinkEntry::addFloorLink(const NmlAttribute& line) {
  const bool targeted = line.itemCount() >= 2;
  mConnections.push_back({line.toInt(0), mSite, targeted ? line.toString(1) : "", targeted ? line.toInt(2) : 0});
}

const MapConnection* MapLinkEntry::connectionFrom(i32 position) const {
  for (const MapConnection& connection : mConnections) {
    if (connection.from == position) {
      return &connection;
    }
  }
  return nullptr;
}

bool MapLinkEntry::isEscape(i32 position) const {
  for (i32 escape : mEscapes) {
    if (escape == position) {
      return true;
    }
  }
  return false;
}

void MapLinkList::load(const MapSiteList& sites) {
  NmlDocument links;
  links.load(kLinkFile);
  readLinks(links, sites, kLinkFile);
  NmlDocument containers;
  containers.load(kContainerFile);
  readContainers(containers, sites, kContainerFile);
}

void MapLinkList::readLinks(const NmlNode& root, const MapSiteList& sites, const char* file) {
  for (NmlNode::ChildList::Iterator it(root.children()); !it.isEnd(); it.next()) {
    const NmlNode& node = *it.value();
    if (std::string_view(node.name()) == "site") {
      readSiteLinks(node, sites, file);
    } else if (std::string_view(node.name()) == "jump") {
      readJump(node, sites, file);
    }
  }
}

// Each link line joins two floors both ways.
void MapLinkList::readSiteLinks(const NmlNode& node, const MapSiteList& sites, const char* file) {
  const MapSiteData* site = sites.find(MapReading::required(node, "name", file).toString(0));
  for (i32 i = 0; i < node.countAttributes("link"); ++i) {
    const NmlAttribute* line = node.findAttribute("link", i);
    const std::string fileA = line->toString(0);
    const std::string fileB = line->toString(2);
    const i32 a = line->toInt(1);
    const i32 b = line->toInt(3);
    entry(site, fileA.c_str()).addConnection({a, site, fileB, b + kArrivalOffset});
    entry(site, fileB.c_str()).addConnection({b, site, fileA, a + kArrivalOffset});
  }
  for (i32 i = 0; i < node.countAttributes("escape"); ++i) {
    const NmlAttribute* line = node.findAttribute("escape", i);
    entry(site, line->toString(0)).addEscape(line->toInt(1));
  }
}

// A jump leads one way, to exactly the position named.
void MapLinkList::readJump(const NmlNode& node, const MapSiteList& sites, const char* file) {
  const NmlNode& begin = MapReading::requiredChild(node, "begin", file);
  const NmlNode& start = MapReading::requiredChild(node, "start", file);
  const NmlNode& end = MapReading::requiredChild(node, "end", file);
  const MapSiteData* from = sites.find(MapReading::required(start, "site", file).toString(0));
  MapConnection connection{MapReading::required(begin, "position", file).toInt(0),
                           sites.find(MapReading::required(end, "site", file).toString(0)),
                           MapReading::required(end, "file", file).toString(0),
                           MapReading::required(end, "position", file).toInt(0)};
  entry(from, MapReading::required(begin, "file", file).toString(0)).addConnection(connection);
}

void MapLinkList::readContainers(const NmlNode& root, const MapSiteList& sites, const char* file) {
  for (i32 s = 0; s < root.countChildren("site"); ++s) {
    const NmlNode& siteNode = *root.findChild("site", s);
    const MapSiteData* site = sites.find(MapReading::required(siteNode, "name", file).toString(0));
    for (i32 m = 0; m < siteNode.countChildren("map"); ++m) {
      const NmlNode& map = *siteNode.findChild("map", m);
      MapLinkEntry& floor = entry(site, MapReading::required(map, "file", file).toString(0));
      for (i32 c = 0; c < map.countChildren("container"); ++c) {
        MapContainerData container;
        container.read(*map.findChild("container", c), file);
        floor.addContainer(container);
      }
    }
  }
}

MapLinkEntry& MapLinkList::entry(const MapSiteData* site, const char* file) {
  for (MapLinkEntry& held : mEntries) {
    if (held.site() == site && std::string_view(held.file()) == file) {
      return held;
    }
  }
  return mEntries.emplace_back(site, file);
}

const MapLinkEntry* MapLinkList::find(const MapSiteData* site, const char* file) const {
  for (const MapLinkEntry& held : mEntries) {
    if (held.site() == site && std::string_view(held.file()) == file) {
      return &held;
    }
  }
  return nullptr;
}

}  // namespace Game
