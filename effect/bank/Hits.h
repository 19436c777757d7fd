#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect {

class ActionRecord;

namespace Bank {

// The large hit circle of "main" on every hit target.
class HitCircleL {
 public:
  HitCircleL();
  void spawnOnTargets(const ActionRecord& action) const;

 private:
  PieceSet mSet;
};

// The wave of "main" on every hit target after a delay.
class WaveHit {
 public:
  WaveHit();
  void spawnOnTargets(const ActionRecord& action, float delay) const;

 private:
  PieceSet mSet;
};

// A shot's impact of model 0.
class ShotHit {
 public:
  ShotHit();
  void spawnOnTargets(const ActionRecord& action) const;
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p) const;

 private:
  PieceSet mSet;
};

// Three cuts of model 0 crossing at random angles about z.
class SlashHit2 {
 public:
  SlashHit2();
  void launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size) const;
  void launchAt(const Unit& unit) const;
  void launchOnTargets(const ActionRecord& action) const;

 private:
  PieceSet mSet;
};

// Models 0, 1 and 2 together, all turned by one random rotation.
class SlashHit {
 public:
  SlashHit();
  void launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size) const;
  // At least the size of a 256 unit.
  void launchAt(const Unit& unit) const;
  void launchOnTargets(const ActionRecord& action) const;

 private:
  PieceSet mSet;
};

// Eight bursts of model 0 about a point, four frames apart.
class MagicExplode {
 public:
  MagicExplode();
  void launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size) const;
  void launchAt(const Unit& unit) const;
  void launchOnTargets(const ActionRecord& action) const;

 private:
  PieceSet mSet;
};

// A ripple of model 0.
class Ripple {
 public:
  Ripple();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size) const;

 private:
  PieceSet mSet;
};

// Four flying shards of model 0 on every target.
class ExplodeS {
 public:
  ExplodeS();
  void burstOnTargets(const ActionRecord& action, float delay) const;

 private:
  PieceSet mSet;
};

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
