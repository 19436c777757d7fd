#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "presentation/render/DrawFlags.h"

namespace Game {

// One of the scene's four point lights. Positions are in matrix units
// (world units / 400), as the geometry is; the device's diffuse term falls
// off as 1 / distance, so a light whose intensity is its distance from the
// origin lights the origin at about full strength.
struct Light {
  // Stores a world position in matrix units.
  void setPosition(const Engine::Math::Vector3& worldPosition);
  void setColor(const Engine::Math::Vector3& c) { color = c; }
  void setRange(float range) { requestedRange = range; }
  // What the device gets: the base intensity times the smoothed range.
  float intensity() const { return intensityBase * smoothedRange; }

  float intensityBase = 1.f;
  Engine::Math::Vector3 position{0.f, 0.f, 10000.f};
  Engine::Math::Vector3 color{1.f, 1.f, 1.f};
  float smoothedRange = 1.f;
  float requestedRange = 1.f;
};

// The four lights and the device light each one drives: the scene nodes'
// point light, a fixed white light from above, a fixed warm light from below
// and a light just beyond the camera's look-at point.
class SceneLights {
 public:
  enum Record : Engine::i32 { kPoint = 0, kWhite = 1, kWarm = 2, kCamera = 3, kRecordCount = 4 };

  SceneLights();

  Light& record(Record r) { return mRecords[static_cast<std::size_t>(r)]; }
  const Light& record(Record r) const { return mRecords[static_cast<std::size_t>(r)]; }
  static Engine::i32 deviceLight(Record r);

  // Once a logic step: the point light's range eases toward what the scene
  // nodes asked for since the last step (and the request is cleared); the
  // camera light moves 64 matrix units beyond the target, seen from the eye.
  void update(const Engine::Math::Vector3& eye, const Engine::Math::Vector3& target);
  // Positions and colours to the graphics device.
  void applyToDevice() const;
  // Each device light's intensity, as the render states want it.
  std::array<float, DrawFlags::kLightCount> deviceIntensities() const;

 private:
  std::array<Light, kRecordCount> mRecords;
};

}  // namespace Game
