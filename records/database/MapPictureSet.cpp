#include "records/database/MapPictureSet.h"

#include <cstring>

#include "core/file/nml/NmlDocument.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kObjectDirectory = "src/picture/map/object/";
constexpr const char* kWallDirectory = "src/picture/map/wall/";
constexpr const char* kChipDirectory = "src/picture/map/chip/";

// The material and animation children of a list entry, read as a set of
// their own; null when the entry has none.
std::shared_ptr<ResourceSet> extrasOf(const NmlNode& node, const char* directory) {
  if (node.countChildren("materials") == 0 && node.countChildren("animation") == 0) {
    return nullptr;
  }
  auto set = std::make_shared<ResourceSet>();
  set->loadNode(node, directory);
  return set;
}

template <class Picture>
const Picture* findNamed(const std::deque<Picture>& pictures, const char* name) {
  if (!name) {
    return nullptr;
  }
  for (const Picture& picture : pictures) {
    if (picture.name == name) {
      return &picture;
    }
  }
  return nullptr;
}

}  // namespace

void MapPictureSet::load() {
  NmlDocument objects;
  objects.load(kObjectFile);
  readObjects(objects, kObjectFile);
  NmlDocument tiles;
  tiles.load(kTileFile);
  readTiles(tiles, kTileFile);
}

void MapPictureSet::readObjects(const NmlNode& root, const char* file) {
  for (i32 i = 0; i < root.countChildren("object"); ++i) {
    const NmlNode& node = *root.findChild("object", i);
    const std::string pictureFile = MapReading::required(node, "file", file).toString(0);
    const std::string path = kObjectDirectory + pictureFile + ".txt";
    MapReading::requireFile(file, path);
    MapObjectPicture& object = mObjects.emplace_back(path);
    object.number = MapReading::integer(node, "number");
    object.name = MapReading::text(node, "name", pictureFile.c_str());
    object.keepOut = MapReading::offsets(node, "keepOut");
    object.step = MapReading::offsets(node, "step");
    object.lighting = MapReading::flag(node, "lighting");
    object.disappear = MapReading::flag(node, "disappear");
    object.materials = extrasOf(node, kObjectDirectory);
  }
}

void MapPictureSet::readTiles(const NmlNode& root, const char* file) {
  for (i32 i = 0; i < root.countChildren("wall"); ++i) {
    readWall(*root.findChild("wall", i), file);
  }
  for (i32 i = 0; i < root.countChildren("chip"); ++i) {
    readChip(*root.findChild("chip", i), file);
  }
}

void MapPictureSet::readWall(const NmlNode& node, const char* file) {
  WallPicture& wall = mWalls.emplace_back();
  wall.name = MapReading::required(node, "name", file).toString(0);
  const std::string path = kWallDirectory + std::string(MapReading::required(node, "file", file).toString(0)) + ".txt";
  MapReading::requireFile(file, path);
  wall.picture = &mNamed.get(path);
  wall.extras = extrasOf(node, kWallDirectory);
  wall.bottom = MapReading::integer(node, "bottom");
}

void MapPictureSet::readChip(const NmlNode& node, const char* file) {
  ChipPicture& chip = mChips.emplace_back();
  chip.x = MapReading::integer(node, "x");
  chip.y = MapReading::integer(node, "y");
  const std::string pictureFile = MapReading::required(node, "file", file).toString(0);
  const std::string path = kChipDirectory + pictureFile + ".txt";
  MapReading::requireFile(file, path);
  chip.picture = &mNamed.get(path);
  chip.name = MapReading::text(node, "name", pictureFile.c_str());
  if (MapReading::present(node, "wall")) {
    chip.wall = findWall(MapReading::text(node, "wall").c_str());
  }
  chip.section = MapReading::present(node, "section");
  chip.water = MapReading::present(node, "water");
  chip.cylinder = MapReading::present(node, "cylinder");
  chip.floating = MapReading::present(node, "float");
}

const MapObjectPicture* MapPictureSet::findObject(const char* name) const { return findNamed(mObjects, name); }

const WallPicture* MapPictureSet::findWall(const char* name) const { return findNamed(mWalls, name); }

const ChipPicture* MapPictureSet::findChip(const char* name) const { return findNamed(mChips, name); }

const ChipPicture* MapPictureSet::chipAt(i32 x, i32 y) const {
  for (const ChipPicture& chip : mChips) {
    if (chip.x == x && chip.y == y) {
      return &chip;
    }
  }
  return nullptr;
}

void MapPictureSet::release() {
  for (MapObjectPicture& object : mObjects) {
    object.picture.release();
  }
  mNamed.release();
}

}  // namespace Game
