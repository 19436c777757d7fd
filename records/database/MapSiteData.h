#pragma once

#include <deque>
#include <string>

#include "Engine/Base/Types.h"
#include "records/database/EncounterTable.h"

namespace Game {

class NmlNode;

// A map site: a dungeon or another place the field can show, with the folder
// of its floor files, where the party starts, its random battles, its save
// kind and tune, and its floor count (0 for a place that is not a dungeon).
class MapSiteData {
 public:
  MapSiteData() = default;
  // A site made in code (tests): the name, the name shown and the floors.
  MapSiteData(const char* name, const char* print, Engine::i32 floorNumber)
      : mName(name), mPrint(print), mFloorNumber(floorNumber) {}

  // "name", "folder", "start", "encounter", "save" and "BGM" are required
  // (a missing one stops the program naming file and key).
  void read(const NmlNode& node, const char* file);

  const char* name() const { return mName.c_str(); }
  const char* folder() const { return mFolder.c_str(); }
  const char* startFile() const { return mStartFile.c_str(); }
  Engine::i32 startPosition() const { return mStartPosition; }
  const EncounterTable& encounter() const { return mEncounter; }
  // 0 invalid, 1 memory, 2 file.
  Engine::i32 save() const { return mSave; }
  const char* bgm() const { return mBgm.c_str(); }
  bool hasSpotLight() const { return mSpotLight; }
  // The scene picture set; "" for none.
  const char* scene() const { return mScene.c_str(); }
  Engine::f32 angle() const { return mAngle; }
  // The name shown to the player.
  const char* print() const { return mPrint.c_str(); }
  Engine::i32 floorNumber() const { return mFloorNumber; }

 private:
  std::string mName;
  std::string mFolder;
  std::string mStartFile;
  Engine::i32 mStartPosition = 0;
  EncounterTable mEncounter;
  Engine::i32 mSave = 0;
  std::string mBgm;
  bool mSpotLight = false;
  std::string mScene;
  Engine::f32 mAngle = 0.0f;
  std::string mPrint;
  Engine::i32 mFloorNumber = 0;
};

// The sites in file order; records keep their addresses as more are added,
// since links, saves and the field hold them by identity.
class MapSiteList {
 public:
  static constexpr const char* kFile = "src/data/map/list.txt";

  // Appends one site per "site" child of the file's root.
  void load(const char* file = kFile);
  void read(const NmlNode& root, const char* file);
  const MapSiteData* add(const MapSiteData& site);

  Engine::i32 count() const { return static_cast<Engine::i32>(mSites.size()); }
  // Null outside [0, count).
  const MapSiteData* at(Engine::i32 i) const;
  // The first site of that name; null when there is none.
  const MapSiteData* find(const char* name) const;
  // The floors of every site together.
  Engine::i32 totalFloorNumber() const;

 private:
  std::deque<MapSiteData> mSites;
};

}  // namespace Game
