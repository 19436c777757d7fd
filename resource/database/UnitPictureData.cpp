#include "resource/database/UnitPictureData.h"

#include <string_view>

#include "file/nml/NmlDocument.h"
#include "resource/database/MapReading.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kPictureDirectory = "src/picture/unit/";

}  // namespace

Model* UnitPictureData::downMotion() {
  Model* down = motion("down");
  return down ? down : standMotion();
}

void UnitPictureList::load() {
  NmlDocument document;
  document.load(kFile);
  read(document, kFile);
}

void UnitPictureList::read(const NmlNode& root, const char* file) {
  for (i32 i = 0; i < root.attributeCount(); ++i) {
    const NmlAttribute& line = *root.attribute(i);
    const std::string path = kPictureDirectory + std::string(line.toString(0)) + ".txt";
    MapReading::requireFile(file, path);
    // A unit listed without its scale is drawn at its own size, not at 0.
    mUnits.emplace_back(line.key(), path, line.itemCount() >= 2 ? line.toFloat(1) : 1.0f);
  }
}

UnitPictureData* UnitPictureList::find(const char* name) {
  if (!name) {
    return nullptr;
  }
  for (UnitPictureData& unit : mUnits) {
    if (std::string_view(unit.name()) == name) {
      return &unit;
    }
  }
  return nullptr;
}

void UnitPictureList::release() {
  for (UnitPictureData& unit : mUnits) {
    unit.release();
  }
}

}  // namespace Game
