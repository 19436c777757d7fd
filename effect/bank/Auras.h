#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"
#include "presentation/render/Color.h"

namespace Game {

class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect {

class ActionRecord;

namespace Bank {

// Motes of model 0 rising from about a unit's feet and following it.
class RisingParticle {
 public:
  RisingParticle();
  // n/2 motes, two frames apart.
  void launchOn(const Unit& unit, Engine::i32 n) const;
  void launchOnTargets(const ActionRecord& action, Engine::i32 n) const;

 private:
  PieceSet mSet;
};

// Eight stars of "main" circling a unit's head, two frames apart.
class Dizzy {
 public:
  Dizzy();
  void launchOn(const Unit& unit) const;
  void launchOnTargets(const ActionRecord& action) const;

 private:
  PieceSet mSet;
};

// A small cross of light of "main"; on a unit eight of them in colours of
// random hue plus the piece's colour, six frames apart.
class CrossLightS {
 public:
  CrossLightS();
  SceneNode* launch(SceneNodePool& pool, const Engine::Math::Vector3& p) const;
  void launchOn(const Unit& unit) const;
  // The lights' hues drawn in [minimum, maximum) and the colour added.
  void setHues(const Color& colour, float minimum, float maximum) {
    mColor = colour;
    mHueMin = minimum;
    mHueMax = maximum;
  }

 private:
  PieceSet mSet;
  Color mColor;
  float mHueMin = 0.f;
  float mHueMax = 360.f;
};

// Eight turning rings of "main" about a node, two frames apart.
class SpinCharge {
 public:
  SpinCharge();
  void launch(SceneNodePool& pool, SceneNode& parent, float size) const;
  void launchOn(const Unit& unit) const;

 private:
  PieceSet mSet;
};

// Sixteen streaks of model 0 standing about a node, two frames apart.
class ChargeAura {
 public:
  ChargeAura();
  void launch(SceneNodePool& pool, SceneNode& parent, float size) const;
  // Three times the unit's size.
  void launchOn(const Unit& unit) const;

 private:
  PieceSet mSet;
};

// Sixteen glows of model 0, a frame apart.
class Glow {
 public:
  Glow();
  // At p, relative to the parent when there is one.
  void launch(SceneNodePool& pool, SceneNode* parent, const Engine::Math::Vector3& p, float size) const;
  void launchAt(SceneNodePool& pool, const Engine::Math::Vector3& p, float size) const;
  void launchOnNode(SceneNode& node, float size) const;
  void launchOn(const Unit& unit) const;

 private:
  PieceSet mSet;
};

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
