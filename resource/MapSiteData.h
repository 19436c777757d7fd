#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// A map site: a dungeon or another place the field can show. Stand-in until
// the map database is read from its data file: the key name, the title shown
// to the player and the floor count (0 for a place that is not a dungeon).
class MapSiteData {
 public:
  MapSiteData(const char* name, const char* title, Engine::i32 floorCount)
      : mName(name), mTitle(title), mFloorCount(floorCount) {}

  const char* name() const { return mName.c_str(); }
  const char* title() const { return mTitle.c_str(); }
  Engine::i32 floorCount() const { return mFloorCount; }

 private:
  String mName;
  String mTitle;
  Engine::i32 mFloorCount;
};

}  // namespace Game
