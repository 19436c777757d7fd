#include <cstring>

#include "core/file/nml/NmlNode.h"
#include "presentation/motion/Curve.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

constexpr const char* kPointName = "point";

bool isPoint(const NmlNode& child) { return std::strcmp(child.name(), kPointName) == 0; }
// Keys are the unnamed children; any other named child is not part of the curve.
bool isKey(const NmlNode& child) { return child.name()[0] == '\0'; }

i32 countKeys(const NmlNode& node) {
  i32 count = 0;
  for (NmlNode::ChildList::Iterator it(node.children()); !it.isEnd(); it.next()) {
    count += isKey(*it.value()) ? 1 : 0;
  }
  return count;
}

// The last item of the first line with that key, when there is one.
bool readFloat(const NmlNode& node, const char* key, float* out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return false;
  }
  *out = line->toFloat(line->itemCount() - 1);
  return true;
}

bool readInt(const NmlNode& node, const char* key, i32* out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return false;
  }
  *out = line->toInt(line->itemCount() - 1);
  return true;
}

}  // namespace

i32 Curve::loadPoint(const NmlNode& node, CurveConstraint& out) {
  struct Key {
    const char* name;
    i32 kind;
  };
  // Later keys win: a value beats an acceleration, which beats a velocity.
  static constexpr Key kKeys[] = {
      {"velocity", CurveConstraint::kVelocity},
      {"accel", CurveConstraint::kAccel},
      {"value", CurveConstraint::kValue},
  };
  i32 present = 0;
  for (const Key& key : kKeys) {
    float value = 0.f;
    if (readFloat(node, key.name, &value)) {
      out.kind = key.kind;
      out.value = value;
      ++present;
    }
  }
  return present;
}

void Curve::load(const NmlNode& node) {
  const i32 keyCount = countKeys(node);
  if (keyCount == 0) {
    // A node that gives no value leaves the curve as its owner set it up (a
    // colour's 1, a width's 64), rather than turning it to 0.
    float value = 0.f;
    if (readFloat(node, "value", &value)) {
      mSegments.clear();
      mConstant = value;
      mOffset = 0.f;
    }
    return;
  }
  mSegments.clear();
  mConstant = 0.f;
  mOffset = 0.f;
  const i32 pointCount = node.countChildren(kPointName);
  ConstraintList points(pointCount);
  Array2D<CurveConstraint> keys(keyCount);
  Array2D<float> times(keyCount);
  Array2D<i32> degrees(keyCount);
  i32 k = 0;
  float time = 0.f;
  for (NmlNode::ChildList::Iterator it(node.children()); !it.isEnd(); it.next()) {
    const NmlNode* child = it.value();
    if (isPoint(*child)) {
      CurveConstraint point;
      loadPoint(*child, point);
      readFloat(*child, "time", &point.time);
      points.add(point);
      continue;
    }
    if (!isKey(*child)) {
      continue;
    }
    CurveConstraint key;
    loadPoint(*child, key);
    keys.at(static_cast<u32>(k)) = key;
    times.at(static_cast<u32>(k)) = time;
    // The segment after the key; the last key's delay and degree, which
    // no segment follows, are read but go unused.
    i32& degree = degrees.at(static_cast<u32>(k));
    degree = pointCount + 1;
    readInt(*child, "degree", &degree);
    float delay = 0.f;
    readFloat(*child, "delay", &delay);
    time += delay;
    ++k;
  }
  build({keys.data(), keys.size()}, {times.data(), times.size()}, {degrees.data(), degrees.size()}, points);
  readFloat(node, "offset", &mOffset);
}

}  // namespace Game
