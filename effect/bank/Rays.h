#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/sound/SoundEffectList.h"
#include "effect/bank/Piece.h"

namespace Game {

class Color;
class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect::Bank {

// A pull of "main" made on the unit at scale 1.
class Suction {
 public:
  Suction();
  SceneNode* launchAt(const Unit& unit) const;

 private:
  PieceSet mSet;
};

// A beam of model 0 aimed at a point, rolled at random about its length.
class Beam {
 public:
  Beam();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, const Engine::Math::Vector3& aimPoint) const;

 private:
  PieceSet mSet;
};

// A coloured sound wave of model 0, scaled size/128.
class RainbowWave {
 public:
  RainbowWave();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, const Color& colour, float size) const;

 private:
  PieceSet mSet;
};

// A pillar of fire of model 0.
class FirePillar {
 public:
  FirePillar();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p) const;

 private:
  PieceSet mSet;
};

// A bite of "main" at one unit turned toward another, with its own sound.
class Fang {
 public:
  Fang();
  SceneNode* launch(const Unit& unitFrom, const Unit& unitTo);

 private:
  PieceSet mSet;
  SoundEffectList mSounds;
};

// Speed lines of model 0 over the screen; the first 16 of a count are
// never drawn.
class SpeedLines {
 public:
  SpeedLines();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float angle) const;
  // n − 16 lines, each at a random angle 400 out from the origin along it,
  // a frame apart.
  void radiate(SceneNodePool& pool, Engine::i32 n) const;
  // n − 16 lines at the angle, at random points of the box ±400, ±300.
  void scatter(SceneNodePool& pool, float angle, Engine::i32 n) const;

 private:
  PieceSet mSet;
};

}  // namespace Effect::Bank
}  // namespace Game
