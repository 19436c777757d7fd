#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect::Bank {

// A ring of "main" that the caller turns as it likes.
class Ring {
 public:
  Ring() = default;
  virtual ~Ring() = default;

  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class RingA final : public Ring {
 public:
  RingA();
};
class MultiRing final : public Ring {
 public:
  MultiRing();
};

// A wave of "main" running along the ground.
class ShockWaveBase {
 public:
  ShockWaveBase() = default;
  virtual ~ShockWaveBase() = default;

  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  // At the unit's front point; nothing without the unit's pool.
  SceneNode* launchAtFront(const Unit& unit) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class ShockWave final : public ShockWaveBase {
 public:
  ShockWave();
};
class ShockWaveL final : public ShockWaveBase {
 public:
  ShockWaveL();
};

// A glow of model 0 lying on the ground, renewed every eight frames.
class GroundEmission {
 public:
  GroundEmission() = default;
  virtual ~GroundEmission() = default;

  // duration/8 glows at p brought to the ground, each turned at random,
  // scaled size/256, started eight frames apart.
  void launch(SceneNodePool& pool, const Engine::Math::Vector3& p, float size, Engine::i32 duration) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class GroundEmissionBlue final : public GroundEmission {
 public:
  GroundEmissionBlue();
};
class GroundHeat final : public GroundEmission {
 public:
  GroundHeat();
};

}  // namespace Effect::Bank
}  // namespace Game
