#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect::Bank {

// The screen angle (degrees) of the line between two projected points; 0
// when they coincide.
float screenAngle(const Engine::Math::Vector3& fromOnScreen, const Engine::Math::Vector3& toOnScreen);

// A flat picture of "main" facing the camera, turned on the screen.
class Sprite {
 public:
  Sprite() = default;
  virtual ~Sprite() = default;

  // The billboard placed at p through its base state, scale on all axes,
  // turned by angle about z.
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float scale, float angle) const;
  // At from, turned along the line to `to` as the scene renderer shows it
  // (the points' own x and y without a renderer).
  SceneNode* launchBetween(SceneNodePool& pool, const Engine::Math::Vector3& from, const Engine::Math::Vector3& to,
                           float scale) const;
  // From unitFrom's position to unitTo's at unitFrom's scale.
  SceneNode* launchBetween(const Unit& unitFrom, const Unit& unitTo) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class Knife final : public Sprite {
 public:
  Knife();
};
class RedCut final : public Sprite {
 public:
  RedCut();
};

}  // namespace Effect::Bank
}  // namespace Game
