#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "effect/ScriptedCast.h"

namespace Game {

class Model;
class SceneNode;
class Unit;

namespace Effect {

namespace Module {
class Module;
}

// A node just placed by a script, set up in a chain of short calls:
// node(m, at).delay(4).spinXYZ().scale(2). Every call does nothing on an
// empty handle (a unit's node made without a pool).
class Placed {
 public:
  explicit Placed(SceneNode* node) : mNode(node) {}

  // Hidden for d frames (time −d).
  Placed& delay(float d);
  Placed& life(Engine::i32 frames);
  Placed& spinZ();
  Placed& spinXYZ();
  Placed& scale(float s);
  Placed& rotZ(float degrees);
  Placed& aimAt(const Engine::Math::Vector3& point);
  Placed& aimAlong(const Engine::Math::Vector3& direction);
  SceneNode* get() const { return mNode; }

 private:
  SceneNode* mNode;
};

// The shared words of the named special attacks' frame scripts: frame
// tests, the points they place things at, nodes, sounds, hits and the
// modules that move units and nodes. Whatever works on the first target as
// a unit does nothing without one; its position is then the aim point.
class NamedSpecial : public ScriptedCast {
 protected:
  using Vector3 = Engine::Math::Vector3;

  // Frames.
  bool at(Engine::i32 f) const { return frame() == f; }
  // A multiple of k within first..last, both included.
  bool every(Engine::i32 first, Engine::i32 last, Engine::i32 k) const {
    return frame() >= first && frame() <= last && frame() % k == 0;
  }
  // Finish in the call of that frame alone.
  void endOn(Engine::i32 endFrame) {
    if (frame() == endFrame) {
      finish();
    }
  }

  // Points.
  Vector3 casterPoint() const;
  // The first target's position; the aim point without targets.
  Vector3 targetPoint() const;
  const Vector3& aim() const;
  Vector3 targetCentre() const;
  Vector3 nearTargets(float x, float y, float z) const;
  Vector3 nearCaster(float x, float y, float z) const;
  Vector3 alongPath(float x, float y, float z) const;
  static Vector3 grounded(Vector3 p) {
    p.z = 0.f;
    return p;
  }
  static Vector3 frontOf(const Unit& unit);
  // Random: a flat vector shorter than r, a direction over yaw y1..y2 and
  // pitch p1..p2, a number in [0, r); a unit vector of yaw and pitch.
  static Vector3 flat(float r);
  static Vector3 dir(float y1, float y2, float p1, float p2);
  static float rnd(float r);
  static Vector3 ang(float yaw, float pitch);

  // Nodes: a new node of the model at a point; a unit's own (turned and
  // scaled like it), empty without the unit.
  Placed node(Model* model, const Vector3& p);
  Placed on(Model* model, const Unit* unit);

  // Sounds: a start with no delay, a play after d, n plays s apart.
  void start(const char* key) { startSound(key, 0); }
  void play(const char* key, Engine::i32 d = 0) { playSound(key, d); }
  void playRow(const char* key, Engine::i32 n, Engine::i32 spacing);

  // Hits.
  void reactions() { flashHitTargets(); }
  void sparks(Engine::i32 n) { launchSparksOnTargets(n); }
  bool anyHit() const { return isAnyTargetHit(); }
  void apply() { applyResult(); }

  // Modules; each answers the module added (null when none was) for a
  // delay: after(moveHome(64, 60), 8).
  Module::Module* moveHome(float height, Engine::i32 frames);
  Module::Module* moveToFirstTarget(float height, Engine::i32 frames, float approach);
  Module::Module* moveToPoint(const Vector3& point, float height, Engine::i32 frames, bool face);
  Module::Module* bring(SceneNode* node, Engine::i32 frames, const Vector3& end, float height);
  Module::Module* fall(Unit* unit, Engine::i32 frames, float peak, float endHeight);
  static void after(Module::Module* module, Engine::i32 delay);
};

}  // namespace Effect
}  // namespace Game
