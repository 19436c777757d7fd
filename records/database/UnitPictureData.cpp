#include "records/database/UnitPictureData.h"

#include <string_view>

#include "core/file/DataError.h"
#include "core/file/nml/NmlDocument.h"
#include "records/database/MapReading.h"

namespace Game {

using Engine::i32;

namespace {

constexpr const char* kUnitPictureDirectory = "src/picture/unit/";
// A unit's scale: above 0 (a unit of no size would divide by it), at most 16
// pictures tall.
constexpr Engine::f32 kMaxScale = 16.f;

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
    const std::string path = kUnitPictureDirectory + std::string(line.toString(0)) + ".txt";
    MapReading::requireFile(file, path);
    // A unit listed without its scale is drawn at its own size, not at 0.
    const Engine::f32 scale = line.itemCount() >= 2 ? line.toFloat(1) : 1.0f;
    if (!(scale > 0.f) || scale > kMaxScale) {
      DataError::Scope scope(file);
      scope.setRecord("unit", line.key(), line.line());
      DataError::badRecord(__FILE__, __LINE__, "the scale must be above 0 and at most 16");
    }
    mUnits.emplace_back(line.key(), path, scale);
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
