#pragma once

#include "Engine/Math/Vector3.h"
#include "core/container/OwnedList.h"
#include "presentation/render/Color.h"

namespace Game {

class MeshBuilder;

// A light baked into vertex colours: `near` within radius × inner of its
// position, fading linearly to `far` at the radius and beyond.
struct PointLight {
  Color near;
  Color far;
  Engine::Math::Vector3 position{0.f, 0.f, 0.f};
  float radius = 0.f;
  float inner = 0.f;

  // A radius of 0 gives `far` everywhere: the fade is never divided by an
  // empty span.
  Color contribution(const Engine::Math::Vector3& at) const;
};

// Lights that add to a dim base (additive) and lights that take away
// (subtractive), baked into vertex colours. Used by the radial gradation and
// by the floor builder.
class PointLightSet {
 public:
  void addLight(const Engine::Math::Vector3& position, const Color& near, const Color& far, float radius,
                float inner);
  void addSubtractiveLight(const Engine::Math::Vector3& position, const Color& near, const Color& far,
                           float radius, float inner);
  void clear();

  // Without additive lights the base is white, so such a set only darkens;
  // with them it is 0.1 grey plus their light. The result is at least floor.
  void colorAt(Color& out, const Engine::Math::Vector3& position, const Color& floor) const;
  // Multiplies the colours of the mesh's vertices from firstVertex on.
  void applyTo(MeshBuilder& mesh, Engine::i32 firstVertex = 0) const;

 private:
  OwnedList<PointLight> mAdditive;
  OwnedList<PointLight> mSubtractive;
};

}  // namespace Game
