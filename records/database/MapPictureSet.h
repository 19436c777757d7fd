#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Base/Types.h"
#include "records/database/MapReading.h"
#include "records/database/PictureList.h"

namespace Game {

class NmlNode;
class ResourceSet;

// An object standing on map cells: its picture, the cells it blocks and the
// cells that can be stepped on, with its material overrides.
struct MapObjectPicture {
  explicit MapObjectPicture(std::string path) : picture(std::move(path)) {}

  Engine::i32 number = 0;
  std::string name;
  std::vector<MapReading::CellOffset> keepOut;
  std::vector<MapReading::CellOffset> step;
  bool lighting = false;
  bool disappear = false;
  // The "materials" children of the object's entry; null when it has none.
  std::shared_ptr<ResourceSet> materials;
  PictureList picture;
};

// A wall standing on floor chips.
struct WallPicture {
  std::string name;
  PictureList* picture = nullptr;
  // The entry's "materials" and "animation" children; null when it has none.
  std::shared_ptr<ResourceSet> extras;
  Engine::i32 bottom = 0;
};

// A floor chip: its cell in the chip sheet, its picture, the wall on it and
// the flags the floor cells read.
struct ChipPicture {
  Engine::i32 x = 0;
  Engine::i32 y = 0;
  std::string name;
  // Null when the chip names no wall (or one the list lacks).
  const WallPicture* wall = nullptr;
  PictureList* picture = nullptr;
  bool section = false;
  bool water = false;
  bool cylinder = false;
  bool floating = false;
};

// The pictures of map objects, walls and floor chips. The lists are read
// whole; the picture files they name are read on first use (walls and chips
// through the named pictures, one list per path).
class MapPictureSet {
 public:
  static constexpr const char* kObjectFile = "src/picture/map/object/list.txt";
  static constexpr const char* kTileFile = "src/picture/map/list.txt";

  void load();
  void readObjects(const NmlNode& root, const char* file);
  // Walls first, so that chips find the walls listed after them too.
  void readTiles(const NmlNode& root, const char* file);

  // Null for a name the lists lack.
  const MapObjectPicture* findObject(const char* name) const;
  // The first object whose "number" is that; null when none is.
  const MapObjectPicture* objectNumbered(Engine::i32 number) const {
    for (const MapObjectPicture& object : mObjects) {
      if (object.number == number) {
        return &object;
      }
    }
    return nullptr;
  }
  const WallPicture* findWall(const char* name) const;
  const ChipPicture* findChip(const char* name) const;
  // The chip of that sheet cell; null when none is listed.
  const ChipPicture* chipAt(Engine::i32 x, Engine::i32 y) const;

  Engine::i32 objectCount() const { return static_cast<Engine::i32>(mObjects.size()); }
  MapObjectPicture& objectAt(Engine::i32 i) { return mObjects[static_cast<std::size_t>(i)]; }
  Engine::i32 wallCount() const { return static_cast<Engine::i32>(mWalls.size()); }
  Engine::i32 chipCount() const { return static_cast<Engine::i32>(mChips.size()); }
  // In list order, for the floor builder's groups.
  const WallPicture& wallAt(Engine::i32 i) const { return mWalls[static_cast<std::size_t>(i)]; }
  const ChipPicture& chipAtIndex(Engine::i32 i) const { return mChips[static_cast<std::size_t>(i)]; }
  PictureShelf& namedPictures() { return mNamed; }

  // Lets every loaded picture go.
  void release();

 private:
  void readWall(const NmlNode& node, const char* file);
  void readChip(const NmlNode& node, const char* file);

  std::deque<MapObjectPicture> mObjects;
  std::deque<WallPicture> mWalls;
  std::deque<ChipPicture> mChips;
  PictureShelf mNamed;
};

}  // namespace Game
