#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/string/String.h"
#include "presentation/model/Animation.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

class Model;
class RandomGenerator;
class SceneNode;
class SceneNodePool;
class SoundEffectList;
class Unit;

namespace Effect {

class Stage;

// The bank: small visual pieces that effects hold as members and launch on
// any frame, any number of times. A piece keeps no node it creates; every
// node lives on by its own model, tracks and lifetime.
namespace Bank {

// Models are authored for a unit of this size: a piece scales by size / 256.
constexpr float kUnitSize = 256.f;
// The name of the model or animation most pieces play.
constexpr const char* kMain = "main";

// Where pieces report a name their set lacks and the sounds they play: the
// stage set here (the battle while it runs, a test's recording stage), else
// the debug stream (misses only).
void reportTo(Stage* stage);
Stage* reportStage();
void reportMissing(const char* what, const char* file, const char* name);

// A piece's resource set, read from its file at construction. Lookups of
// names the set lacks answer null (an empty animation) and are reported.
class PieceSet {
 public:
  PieceSet() = default;
  explicit PieceSet(const char* path) { load(path); }
  PieceSet(const PieceSet&) = delete;
  PieceSet& operator=(const PieceSet&) = delete;

  void load(const char* path);
  Model* model(Engine::i32 index) const;
  Model* model(const char* name) const;
  Animation animation(const char* name) const;
  const ResourceSet& set() const { return mSet; }
  const char* path() const { return mPath.c_str() ? mPath.c_str() : ""; }

 private:
  ResourceSet mSet;
  String mPath;
};

// Small vector sums the pieces place their nodes with.
inline Engine::Math::Vector3 scaled(Engine::Math::Vector3 v, float f) {
  v *= f;
  return v;
}
inline Engine::Math::Vector3 added(Engine::Math::Vector3 a, const Engine::Math::Vector3& b) {
  a += b;
  return a;
}
inline Engine::Math::Vector3 raised(Engine::Math::Vector3 p, float dz) {
  p.z += dz;
  return p;
}

// A node of the model at p, hidden for delay frames (time −delay).
SceneNode* spawn(SceneNodePool& pool, Model* model, const Engine::Math::Vector3& p, float delay = 0.f);
// The pool the unit's battle keeps its nodes in; null without one.
SceneNodePool* poolOf(const Unit& unit);
// The node follows the parent's position only, p relative to it.
void attach(SceneNode& node, SceneNode& parent, const Engine::Math::Vector3& p);
// The game's random source.
RandomGenerator& random();
// A random number in [0, x).
float draw(float x);
// Entry `index` of the sounds after the delay, reported to the stage.
void playEntry(SoundEffectList& sounds, Engine::i32 index, Engine::i32 delay);

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
