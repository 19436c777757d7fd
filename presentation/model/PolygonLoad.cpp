#include "presentation/model/Polygon.h"

#include "Engine/Base/DebugStream.h"
#include "Engine/Math/Functions.h"
#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

// Far more corners than any shape drawn from data needs; a larger "number"
// is a damaged file, not a wish for millions of corners.
constexpr i32 kMostRegularCorners = 4096;

void readSize(const NmlNode& shape, float* outHalfWidth, float* outHalfHeight) {
  *outHalfWidth = 0.f;
  *outHalfHeight = 0.f;
  if (const NmlAttribute* size = shape.findAttribute("size")) {
    *outHalfWidth = static_cast<float>(size->toInt(0)) / 2.f;
    *outHalfHeight = static_cast<float>(size->toInt(1)) / 2.f;
  }
}

i32 readCornerCount(const NmlNode& shape) {
  const NmlAttribute* number = shape.findAttribute("number");
  const i32 count = number ? number->toInt(0) : 0;
  if (count < 0 || count > kMostRegularCorners) {
    Engine::cout << "Polygon::load : \"polygon\" number " << count << " is not 0 to " << kMostRegularCorners
                 << Engine::endl;
    return 0;
  }
  return count;
}

}  // namespace

void Polygon::loadRect(const NmlNode& rect) {
  float w = 0.f;
  float h = 0.f;
  readSize(rect, &w, &h);
  clear();
  add(Vector3(-w, h, 0.f));
  add(Vector3(w, h, 0.f));
  add(Vector3(w, -h, 0.f));
  add(Vector3(-w, -h, 0.f));
}

void Polygon::loadRegular(const NmlNode& regular) {
  float w = 0.f;
  float h = 0.f;
  readSize(regular, &w, &h);
  const i32 count = readCornerCount(regular);
  clear();
  for (i32 k = 0; k < count; ++k) {
    const float angle = static_cast<float>(k) * 360.f / static_cast<float>(count);
    add(Vector3(Engine::Math::cos(angle) * w, Engine::Math::sin(angle) * h, 0.f));
  }
}

void Polygon::load(const NmlNode& node) {
  if (node.countChildren("rect") > 0) {
    loadRect(*node.findChild("rect"));
  }
  if (node.countChildren("polygon") > 0) {
    loadRegular(*node.findChild("polygon"));
  }
  if (node.countAttributes("vertex") > 0) {
    clear();
    for (i32 i = 0; const NmlAttribute* vertex = node.findAttribute("vertex", i); ++i) {
      Vector3 corner(0.f);
      vertex->toVector(corner);
      add(corner);
    }
  }
  if (const NmlAttribute* position = node.findAttribute("position")) {
    Vector3 offset(0.f);
    position->toVector(offset);
    for (i32 i = 0; i < mCount; ++i) {
      mCorners.at(static_cast<Engine::u32>(i)) += offset;
    }
  }
}

}  // namespace Game
