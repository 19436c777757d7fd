#include <vector>

#include "Engine/Math/Functions.h"
#include "core/file/nml/NmlAttribute.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/PartTransform.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/ShapeRules.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

using Engine::i32;

namespace {

constexpr i32 kMaxLatitudes = 16;
constexpr i32 kMaxLongitudes = 32;
constexpr i32 kMaxBulletPoints = 16;

RevolutionProfile profileOf(const float* radius, const float* height, i32 count) {
  RevolutionProfile profile;
  profile.radius = radius;
  profile.height = height;
  profile.count = count;
  return profile;
}

}  // namespace

void buildCylinder(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const bool top = parameters.readBool("top", true);
  const bool bottom = parameters.readBool("bottom", true);
  const float proportion = parameters.readFloat("proportion", 0.f) / 100.f;
  const float topRadius = proportion < 0.f ? 1.f + proportion : 1.f;
  const float bottomRadius = proportion > 0.f ? 1.f - proportion : 1.f;
  const float radius[6] = {0.f, topRadius, topRadius, bottomRadius, bottomRadius, 0.f};
  const float height[6] = {1.f, 1.f, 1.f, -1.f, -1.f, -1.f};
  const i32 first = top ? 0 : 2;
  const i32 end = bottom ? 6 : 4;
  buildRevolution(mesh, profileOf(radius + first, height + first, end - first), frame);
}

void buildSphereZone(MeshBuilder& mesh, const ShapeFrame& frame, float start, float end) {
  i32 latitudes = ShapeRules::truncateClamped(frame.size.z / 16.f, -(1 << 20), 1 << 20) + 4;
  i32 longitudes = ShapeRules::truncateClamped((frame.size.x + frame.size.y) / 2.f / 8.f, -(1 << 20), 1 << 20) + 8;
  if (ShapeRules::isLowDetail()) {
    latitudes /= 2;
    longitudes /= 2;
  }
  latitudes = latitudes < 4 ? 4 : (latitudes > kMaxLatitudes ? kMaxLatitudes : latitudes);
  longitudes = longitudes < 8 ? 8 : (longitudes > kMaxLongitudes ? kMaxLongitudes : longitudes);
  // Polar angles outside 0..180 would wrap past a pole and cover the sphere
  // twice: they are held to the poles.
  const float l = static_cast<float>(latitudes);
  const i32 firstPoint = ShapeRules::truncateClamped(l * start / 180.f, 0, latitudes);
  const i32 count = ShapeRules::truncateClamped(l * end / 180.f, 0, latitudes) - firstPoint;
  if (count <= 0) {
    return;
  }
  float radius[kMaxLatitudes];
  float height[kMaxLatitudes];
  for (i32 i = 0; i < count; ++i) {
    const float angle = static_cast<float>(i + firstPoint) * 180.f / static_cast<float>(latitudes - 1);
    radius[i] = Engine::Math::sin(angle);
    height[i] = Engine::Math::cos(angle);
  }
  RevolutionProfile profile = profileOf(radius, height, count);
  profile.normalRadial = radius;
  profile.normalVertical = height;
  buildSurfaceOfRevolution(mesh, profile, longitudes, 0, longitudes, frame);
}

void buildSphere(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  float start = parameters.readFloat("start", 0.f);
  start = parameters.readFloat("begin", start);
  buildSphereZone(mesh, frame, start, parameters.readFloat("end", 180.f));
}

void buildBullet(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const bool bottom = parameters.readBool("bottom", true);
  const float largest = Engine::Math::max(frame.size.x, Engine::Math::max(frame.size.y, frame.size.z));
  i32 n = ShapeRules::truncateClamped(largest / 10.f, 0, 1 << 20);
  if (ShapeRules::isLowDetail()) {
    n /= 2;
  }
  const i32 m = n < 5 ? 5 : (n > kMaxBulletPoints ? kMaxBulletPoints : n);
  float radius[kMaxBulletPoints];
  float height[kMaxBulletPoints];
  const i32 noseSteps = m - 3;
  for (i32 i = 0; i <= noseSteps; ++i) {
    const float t = static_cast<float>(i) / static_cast<float>(noseSteps);
    radius[i] = t;
    height[i] = 1.f - t * t;
  }
  i32 count = noseSteps + 1;
  if (bottom) {
    radius[count] = 1.f;
    height[count++] = 0.f;
    radius[count] = 0.f;
    height[count++] = 0.f;
  }
  buildRevolution(mesh, profileOf(radius, height, count), frame);
}

void buildHole(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters&) {
  float radius[4];
  float height[4];
  for (i32 i = 0; i < 4; ++i) {
    const float t = static_cast<float>(i) / 4.f - 1.f;
    height[i] = t;
    radius[i] = 0.0625f / (t * t);
  }
  buildRevolution(mesh, profileOf(radius, height, 4), frame);
}

void buildTorus(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters&) {
  // A torus without width puts every point on the axis anyway.
  const float q = frame.size.x != 0.f ? frame.size.z / frame.size.x : 0.f;
  float radius[8];
  float height[8];
  for (i32 i = 0; i < 8; ++i) {
    const float angle = static_cast<float>(i) * 360.f / 7.f + 90.f;
    radius[i] = 1.f - q + q * Engine::Math::sin(angle);
    height[i] = Engine::Math::cos(angle);
  }
  buildRevolution(mesh, profileOf(radius, height, 8), frame);
}

void buildUfo(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters&) {
  float radius[10] = {0.f, 0.5f, 0.8f, 1.0f, 1.1f, 1.2f, 1.4f, 1.5f, 1.5f, 0.f};
  float height[10] = {1.0f, 0.98f, 0.75f, 0.5f, 0.25f, 0.f, -0.2f, -0.4f, -0.4f, -0.4f};
  for (i32 i = 0; i < 10; ++i) {
    radius[i] /= 1.5f;
    height[i] /= 1.5f;
  }
  buildRevolution(mesh, profileOf(radius, height, 10), frame);
  ShapeFrame legFrame = frame;
  legFrame.y += frame.height;
  for (i32 k = 0; k < 3 && !mesh.overflowed(); ++k) {
    const i32 firstVertex = mesh.vertexCount();
    buildSphereZone(mesh, legFrame, 60.f, 180.f);
    const float angle = static_cast<float>(120 * k);
    PartTransform place = PartTransform::translation(Engine::Math::cos(angle) * frame.size.x / 4.f,
                                                     Engine::Math::sin(angle) * frame.size.y / 4.f,
                                                     (-0.4f / 1.5f) * frame.size.z / 2.f);
    place.scale.set(0.4f, 0.4f, 0.4f);
    mesh.applyTransform(place, firstVertex);
  }
}

void buildSolidOfRevolution(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  const i32 count = parameters.count("vertex");
  if (count == 0) {
    parameters.required("vertex");
    return;
  }
  std::vector<float> radius(static_cast<std::size_t>(count));
  std::vector<float> height(static_cast<std::size_t>(count));
  for (i32 i = 0; i < count; ++i) {
    const NmlAttribute* line = parameters.find("vertex", i);
    radius[static_cast<std::size_t>(i)] = static_cast<float>(line->toInt(0)) / 100.f;
    height[static_cast<std::size_t>(i)] = static_cast<float>(line->toInt(1)) / 100.f;
  }
  buildRevolution(mesh, profileOf(radius.data(), height.data(), count), frame);
}

}  // namespace Game::Shape
