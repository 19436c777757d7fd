#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect {

class ActionRecord;

namespace Bank {

// A blow's mark of "main".
class Beat {
 public:
  Beat() = default;
  virtual ~Beat() = default;

  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size) const;
  // Four small marks along the offset from `from`, each a frame after the
  // last, scattered by up to 16.
  void launchAlong(SceneNodePool& pool, const Engine::Math::Vector3& from, const Engine::Math::Vector3& offset) const;
  void launchAt(const Unit& unit) const;
  void launchOnTargets(const ActionRecord& action) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class Beat1 final : public Beat {
 public:
  Beat1();
};
class Beat2 final : public Beat {
 public:
  Beat2();
};
class Beat3 final : public Beat {
 public:
  Beat3();
};

// A cut of "main" turned about z toward a point.
class Slash {
 public:
  Slash() = default;
  virtual ~Slash() = default;

  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size,
                    const Engine::Math::Vector3& facePoint) const;
  // At unitFrom with its size, facing unitTo.
  SceneNode* launchBetween(const Unit& unitFrom, const Unit& unitTo) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class Blade final : public Slash {
 public:
  Blade();
};

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
