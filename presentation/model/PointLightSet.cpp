#include "presentation/model/PointLightSet.h"

#include "presentation/model/MeshBuilder.h"

namespace Game {

using Engine::Math::Vector3;

Color PointLight::contribution(const Vector3& at) const {
  Vector3 offset;
  offset.setSub(at, position);
  const float distance = offset.length();
  const float innerRadius = radius * inner;
  float t = 1.f;
  if (distance < innerRadius) {
    t = 0.f;
  } else if (distance < radius) {
    t = (distance - innerRadius) / (radius - innerRadius);
  }
  Color result;
  result.lerp(t, near, far);
  return result;
}

namespace {

PointLight* makeLight(const Vector3& position, const Color& near, const Color& far, float radius, float inner) {
  PointLight* light = new PointLight;
  light->near = near;
  light->far = far;
  light->position = position;
  light->radius = radius;
  light->inner = inner;
  return light;
}

}  // namespace

void PointLightSet::addLight(const Vector3& position, const Color& near, const Color& far, float radius,
                             float inner) {
  mAdditive.pushBack(makeLight(position, near, far, radius, inner));
}

void PointLightSet::addSubtractiveLight(const Vector3& position, const Color& near, const Color& far,
                                        float radius, float inner) {
  mSubtractive.pushBack(makeLight(position, near, far, radius, inner));
}

void PointLightSet::clear() {
  mAdditive.clear();
  mSubtractive.clear();
}

void PointLightSet::colorAt(Color& out, const Vector3& position, const Color& floor) const {
  if (mAdditive.isEmpty()) {
    out.set(1.f, 1.f);
  } else {
    out.set(1.f, 0.1f);
    for (OwnedList<PointLight>::Iterator i(mAdditive); !i.isEnd(); i.next()) {
      out.add(i.value()->contribution(position));
    }
  }
  for (OwnedList<PointLight>::Iterator i(mSubtractive); !i.isEnd(); i.next()) {
    out.subtract(i.value()->contribution(position));
  }
  out.max(floor);
}

void PointLightSet::applyTo(MeshBuilder& mesh, Engine::i32 firstVertex) const {
  const Color floor(0.f, 0.f, 0.f, 0.f);
  Color light;
  for (Engine::i32 i = firstVertex; i < mesh.vertexCount(); ++i) {
    MeshVertex& vertex = mesh.vertex(i);
    colorAt(light, vertex.position, floor);
    vertex.color.multiply(light);
  }
}

}  // namespace Game
