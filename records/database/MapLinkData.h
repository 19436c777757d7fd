#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class MapSiteData;
class MapSiteList;
class NmlAttribute;
class NmlNode;

// A way out of a floor: standing on the position leads to the target floor
// file of the target site, arriving at the target position.
struct MapConnection {
  Engine::i32 from = 0;
  const MapSiteData* site = nullptr;
  std::string file;
  Engine::i32 position = 0;
};

// A treasure container fixed on a floor (also the element of the script
// command that creates one).
struct MapContainerData {
  Engine::i32 position = 0;
  std::string name;
  Engine::i32 money = 0;
  std::string tool;
  // The container exists only while this is non-zero; "" when it always does.
  std::string expression;

  // "position" is required; the name defaults to the position in two digits.
  void read(const NmlNode& node, const char* file);
};

// What one floor file of one site holds: its connections, its escape
// positions and its fixed containers.
class MapLinkEntry {
 public:
  MapLinkEntry(const MapSiteData* site, std::string file) : mSite(site), mFile(std::move(file)) {}

  const MapSiteData* site() const { return mSite; }
  const char* file() const { return mFile.c_str(); }

  void addConnection(const MapConnection& connection) { mConnections.push_back(connection); }
  // A floor file's own "link" line: position, then target file and position
  // in this entry's site; with fewer than two items an empty file and 0.
  void addFloorLink(const NmlAttribute& line);
  void addEscape(Engine::i32 position) { mEscapes.push_back(position); }
  void addContainer(const MapContainerData& container) { mContainers.push_back(container); }

  // The first connection leaving from the position; null when none does.
  const MapConnection* connectionFrom(Engine::i32 position) const;
  bool isEscape(Engine::i32 position) const;
  const std::vector<MapConnection>& connections() const { return mConnections; }
  const std::vector<Engine::i32>& escapes() const { return mEscapes; }
  const std::vector<MapContainerData>& containers() const { return mContainers; }

 private:
  const MapSiteData* mSite;
  std::string mFile;
  std::vector<MapConnection> mConnections;
  std::vector<Engine::i32> mEscapes;
  std::vector<MapContainerData> mContainers;
};

// The entries of every (site, floor file) pair that link.txt or container.txt
// mention. A site name that the site list lacks attaches its lines to no site
// (a null site), where no real site's lookup finds them.
class MapLinkList {
 public:
  static constexpr const char* kLinkFile = "src/data/map/link.txt";
  static constexpr const char* kContainerFile = "src/data/map/container.txt";

  void load(const MapSiteList& sites);
  // Root children "site" (links and escapes) and "jump".
  void readLinks(const NmlNode& root, const MapSiteList& sites, const char* file);
  // Root children "site", each with "map" children holding "container"s.
  void readContainers(const NmlNode& root, const MapSiteList& sites, const char* file);

  // The entry of the pair, found by the site's identity and the file's whole
  // name; appended when missing.
  MapLinkEntry& entry(const MapSiteData* site, const char* file);
  // Null when the pair has no entry.
  const MapLinkEntry* find(const MapSiteData* site, const char* file) const;
  Engine::i32 count() const { return static_cast<Engine::i32>(mEntries.size()); }

 private:
  void readSiteLinks(const NmlNode& node, const MapSiteList& sites, const char* file);
  void readJump(const NmlNode& node, const MapSiteList& sites, const char* file);

  std::deque<MapLinkEntry> mEntries;
};

}  // namespace Game
