#include "presentation/model/BeltCurve.h"

#include <cstring>

#include "core/math/MathHelper.h"
#include "file/nml/NmlNode.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

float lastFloat(const NmlNode& node, const char* key, float fallback) {
  const NmlAttribute* line = node.findAttribute(key);
  return line ? line->toFloat(line->itemCount() - 1) : fallback;
}

}  // namespace

void BeltCurve::load(const NmlNode& node) {
  mKeyTimes.clear();
  mKeyValues.clear();
  mOffset = 0.f;
  if (node.childCount() == 0) {
    mConstant = lastFloat(node, "value", 0.f);
    return;
  }
  float time = 0.f;
  for (i32 i = 0; i < node.childCount(); ++i) {
    const NmlNode& key = *node.child(i);
    if (std::strcmp(key.name(), "") != 0) {
      continue;
    }
    mKeyTimes.push_back(time);
    mKeyValues.push_back(lastFloat(key, "value", 0.f));
    time += lastFloat(key, "delay", 0.f);
  }
  if (mKeyValues.size() == 1) {
    mConstant = mKeyValues.front();
  }
  if (mKeyValues.size() < 2 || !(mKeyTimes.back() > 0.f)) {
    // One key, or keys with no time between them: a constant.
    if (!mKeyValues.empty()) {
      mConstant = mKeyValues.back();
    }
    mKeyTimes.clear();
    mKeyValues.clear();
  }
  mOffset = lastFloat(node, "offset", 0.f);
}

void BeltCurve::scale(float factor) {
  mConstant *= factor;
  for (float& value : mKeyValues) {
    value *= factor;
  }
}

bool BeltCurve::locate(float time, std::size_t& segment, float& local) const {
  if (mKeyTimes.size() < 2) {
    return false;
  }
  const float length = mKeyTimes.back();
  local = MathHelper::wrap(time + mOffset, length);
  // At a whole number of loops past the start the loop's end is meant.
  if (time > 0.f && local == 0.f) {
    local = length;
  }
  segment = 0;
  while (segment + 2 < mKeyTimes.size() && mKeyTimes[segment + 1] <= local) {
    ++segment;
  }
  return true;
}

float BeltCurve::valueAt(float time) const {
  std::size_t s = 0;
  float local = 0.f;
  if (!locate(time, s, local)) {
    return mConstant;
  }
  const float span = mKeyTimes[s + 1] - mKeyTimes[s];
  const float t = span > 0.f ? (local - mKeyTimes[s]) / span : 1.f;
  return MathHelper::lerp(t, mKeyValues[s], mKeyValues[s + 1]);
}

float BeltCurve::velocityAt(float time) const {
  std::size_t s = 0;
  float local = 0.f;
  if (!locate(time, s, local)) {
    return 0.f;
  }
  const float span = mKeyTimes[s + 1] - mKeyTimes[s];
  return span > 0.f ? (mKeyValues[s + 1] - mKeyValues[s]) / span : 0.f;
}

void BeltVec3Curve::load(const NmlNode& node) {
  if (node.countChildren("all") > 0) {
    const NmlNode& all = *node.findChild("all");
    mX.load(all);
    mY.load(all);
    mZ.load(all);
  }
  BeltCurve* axes[3] = {&mX, &mY, &mZ};
  const char* names[3] = {"x", "y", "z"};
  for (i32 i = 0; i < 3; ++i) {
    if (node.countChildren(names[i]) > 0) {
      axes[i]->load(*node.findChild(names[i]));
    }
  }
}

void BeltVec3Curve::setConstant(const Vector3& value) {
  mX.setConstant(value.x);
  mY.setConstant(value.y);
  mZ.setConstant(value.z);
}

void BeltVec3Curve::scale(float factor) {
  mX.scale(factor);
  mY.scale(factor);
  mZ.scale(factor);
}

Vector3 BeltVec3Curve::valueAt(float time) const {
  return Vector3(mX.valueAt(time), mY.valueAt(time), mZ.valueAt(time));
}

Vector3 BeltVec3Curve::velocityAt(float time) const {
  return Vector3(mX.velocityAt(time), mY.velocityAt(time), mZ.velocityAt(time));
}

Vector3 BeltVec3Curve::accelAt(float time) const {
  return Vector3(mX.accelAt(time), mY.accelAt(time), mZ.accelAt(time));
}

}  // namespace Game
