#include "presentation/scene/Lights.h"

#include "Engine/Graphics/Manager.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kLightMatrixUnitsPerWorldUnit = 0.0025f;
constexpr float kPointLightBase = 0.32f;
constexpr float kRangeKeep = 0.95f;
constexpr float kRangeTake = 0.05f;
constexpr float kCameraLightReach = 64.f;
constexpr float kWarmLightStrength = 0.8f;

// Device light of each record: point, white, warm, camera.
constexpr i32 kDeviceLights[SceneLights::kRecordCount] = {3, 0, 1, 2};

}  // namespace

void Light::setPosition(const Vector3& worldPosition) {
  position = worldPosition;
  position *= kLightMatrixUnitsPerWorldUnit;
}

SceneLights::SceneLights() {
  Light& white = record(kWhite);
  white.setPosition(Vector3(-5000.f, -10000.f, 10000.f));
  white.setColor(Vector3(1.f, 1.f, 1.f));
  white.intensityBase = white.position.length();

  Light& warm = record(kWarm);
  warm.setPosition(Vector3(2500.f, 5000.f, -10000.f));
  warm.setColor(Vector3(1.f, 0.5f, 0.f));
  warm.intensityBase = warm.position.length() * kWarmLightStrength;
}

i32 SceneLights::deviceLight(Record r) { return kDeviceLights[r]; }

void SceneLights::update(const Vector3& eye, const Vector3& target) {
  Light& point = record(kPoint);
  point.smoothedRange = point.smoothedRange * kRangeKeep + point.requestedRange * kRangeTake;
  point.intensityBase = kPointLightBase;
  point.requestedRange = 0.f;

  Light& camera = record(kCamera);
  Vector3 beyond;
  beyond.setSub(target, eye);
  // An eye on the target has no direction to look past: the light stays.
  if (beyond.squareLength() > 0.f) {
    beyond.normalize();
    beyond *= kCameraLightReach;
    camera.position = target;
    camera.position += beyond;
  }
  camera.intensityBase = kCameraLightReach;
  camera.color.set(1.f, 1.f, 1.f);
}

void SceneLights::applyToDevice() const {
  Engine::Graphics::Manager device = Engine::Graphics::Manager::instance();
  for (i32 r = 0; r < kRecordCount; ++r) {
    const Light& light = mRecords[static_cast<std::size_t>(r)];
    const i32 index = kDeviceLights[r];
    device.setLightPosition(index, light.position);
    device.setLightColor(index, light.color);
    device.setLightIntensity(index, light.intensity());
  }
}

std::array<float, DrawFlags::kLightCount> SceneLights::deviceIntensities() const {
  std::array<float, DrawFlags::kLightCount> intensities{};
  for (i32 r = 0; r < kRecordCount; ++r) {
    intensities[static_cast<std::size_t>(kDeviceLights[r])] = mRecords[static_cast<std::size_t>(r)].intensity();
  }
  return intensities;
}

}  // namespace Game
