#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNode;
class SceneNodePool;

namespace Effect::Bank {

// A blast of "main", its model authored at a quarter of the usual size.
class Explode {
 public:
  Explode() = default;
  virtual ~Explode() = default;

  // Scaled size/64, hidden delay frames.
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size, float delay) const;
  // One small blast per 32² of the circle's area (at least one), each at a
  // random distance below radius/2, later the farther it lies.
  void scatter(SceneNodePool& pool, const Engine::Math::Vector3& centre, float radius) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class ExplodeRed final : public Explode {
 public:
  ExplodeRed();
};
class ExplodeEmerald final : public Explode {
 public:
  ExplodeEmerald();
};
class ExplodeSphere final : public Explode {
 public:
  ExplodeSphere();
};
class ExplodeSphere2 final : public Explode {
 public:
  ExplodeSphere2();
};

}  // namespace Effect::Bank
}  // namespace Game
