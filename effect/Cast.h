#pragma once

#include <memory>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/sound/SoundEffectList.h"
#include "effect/ModuleList.h"

namespace Game {

class Model;
class NmlNode;
class SceneNode;
class SceneNodePool;
class Unit;

namespace Effect {

namespace Module {
class Step;
}
namespace StartingEffect {
class Container;
}

class ActionRecord;
class Stage;
struct CastCamera;

// The picture of one action: a frame script (update) that the cast phase
// ticks once a frame. On chosen frames it places scene nodes in the battle's
// pool, adds modules, steers the camera, plays sounds and, at its hit frame,
// shows the action's results.
class Cast {
 public:
  // What tick answers and the script's state.
  enum State : Engine::i32 { kRunning = 0, kApplied = 1, kFinished = 2 };

  Cast();
  virtual ~Cast();
  Cast(const Cast&) = delete;
  Cast& operator=(const Cast&) = delete;

  // The frame script; its answer is not used.
  virtual Engine::i32 update() = 0;

  // The effect of that name (EffectFactory.cpp) with its sound set read
  // from the effect-sound list; null for "none" and for names no row holds.
  static std::unique_ptr<Cast> create(const char* name);
  // The same with the list given (null: no sounds).
  static std::unique_ptr<Cast> create(const char* name, const NmlNode* soundList);
  // The effect of the action's art, bound to the action, its actor and the
  // actor's battle; null when the art shows none.
  static std::unique_ptr<Cast> createForAction(ActionRecord& action);
  static std::unique_ptr<Cast> createForAction(ActionRecord& action, const NmlNode* soundList);
  // The effect-sound list the databases hold; null without them.
  static const NmlNode* effectSoundList();

  void bind(ActionRecord& action);
  void setCamera(CastCamera* camera) { mCamera = camera; }
  bool isSoundReady() const { return mSounds.allReady(); }
  // The lead-in's view: heading 10 by side, pitch 15.
  void setLeadInCamera();

  // The lead-in (CastLeadIn.cpp), made for the caster toward the target
  // centre on the first call. prepare adds the spell banner or the warning
  // the art's effect kind asks for; start does so too, then adds the mark of
  // a technique or a magic art and, for a chain index other than 0, the
  // chain mark. step answers 1 once the lead-in is done (at once without
  // one) and lets it go, 0 while it runs.
  void prepareStartingEffect();
  void startStartingEffect(Engine::i32 chainIndex);
  Engine::i32 stepStartingEffect();
  const StartingEffect::Container* startingEffect() const { return mStartingEffect.get(); }

  // One frame: the caption on the first, the script while not finished, the
  // modules. kFinished only once the script has finished and no module
  // holds; kApplied while one does.
  Engine::i32 tick();

  // Reads the effect's node of the list (a child of its root by that name):
  // first its nested nodes, each its own folder, then its lines, in the
  // folder the root's "folder" line names.
  void loadSounds(const NmlNode* soundList, const char* name);

  Engine::i32 state() const { return mState; }
  Engine::i32 frame() const { return mFrame; }
  const SoundEffectList& sounds() const { return mSounds; }
  const ModuleList& modules() const { return mModules; }
  ActionRecord* action() const { return mAction; }
  Unit* caster() const { return mCaster; }

 protected:
  // State.
  void finish() { mState = kFinished; }
  void applyResult();
  Module::Module* addModule(std::unique_ptr<Module::Module> module);

  // Units and places (CastGeometry.cpp).
  void getCasterPosition(Engine::Math::Vector3& out) const;
  Unit* getFirstTarget() const;
  Unit* getTarget(Engine::i32 i) const;
  Engine::i32 getTargetCount() const;
  // Target 0's position; the aim point without targets.
  void getFirstTargetPosition(Engine::Math::Vector3& out) const;
  void getCastCentre(Engine::Math::Vector3& out) const;
  void getTargetCentre(Engine::Math::Vector3& out) const;
  float getTargetDistance() const;
  void getTargetDirection(Engine::Math::Vector3& out) const;
  void getSideDirection(Engine::Math::Vector3& out) const;
  void getUpDirection(Engine::Math::Vector3& out) const;
  void getPointNearCaster(Engine::Math::Vector3& out, float x, float y, float z) const;
  void getPointNearCaster(Engine::Math::Vector3& out, const Engine::Math::Vector3& offset) const {
    getPointNearCaster(out, offset.x, offset.y, offset.z);
  }
  void getPointNearTargets(Engine::Math::Vector3& out, float x, float y, float z) const;
  void getPointNearTargets(Engine::Math::Vector3& out, const Engine::Math::Vector3& offset) const {
    getPointNearTargets(out, offset.x, offset.y, offset.z);
  }
  // Near the caster with z in units of the target distance.
  void getPointAlongPath(Engine::Math::Vector3& out, float x, float y, float z) const;
  void faceTargets();

  // Camera (CastScene.cpp).
  void setCameraFollow(SceneNode* node);
  void setCameraPoint(const Engine::Math::Vector3& point);
  void setCameraOnCaster();
  void setCameraOnTargets();
  void setCameraOnCast();
  void setCameraScale(float zoom);
  void setCameraOffsetZ(float z);
  void setCameraPitch(float degrees);
  void setCameraYawBySide(float degrees);

  // Nodes and hits (CastScene.cpp).
  SceneNodePool& getScenePool() const;
  SceneNode* launchAnimation(Model* model);
  void launchHitMark(Unit& unit);
  void launchHitMarks();
  void launchSparks(Unit& unit, Engine::i32 count);
  void launchSparksOnTargets(Engine::i32 count);
  void flashHitTargets();
  bool isAnyTargetHit() const;

  // Modules made of modules (CastMotion.cpp).
  // The caster hops by x and shifts by y over the frames.
  Module::Step* stepCaster(float x, float y, Engine::i32 frames);
  // Every target turned to the point, knocked back 64 over 16 frames and,
  // 64 frames later, brought home in a hop of 64 over 16 frames.
  void knockBackTargets(const Engine::Math::Vector3& point);
  // Fading copies of the caster ("残像.txt", "main") every interval-th
  // frame (at least 1) for frames + 1 frames, each living 16.
  void addAfterimage(Engine::i32 delay, Engine::i32 frames, Engine::i32 interval);
  // After 30 frames the caster leaps at target 0 in frames - 30, leaving
  // copies behind, and stops short by approach.
  void dashToTarget(Engine::i32 frames, float approach);
  // Four nodes of the model thrown 16 frames apart in curves that fan out
  // from the caster, pass through target 0 at 64 frames and fly on; each
  // throw plays the launch sound and, when anything was hit, the impact
  // sound as it passes.
  void throwFourProjectiles(Model* model, const char* launchSound, const char* impactSound);

  // Sounds: the set's entries, reported to the stage; a key the set lacks
  // plays nothing and is reported as a failed lookup.
  void addSound(const char* key, const char* file);
  void playSound(const char* key, Engine::i32 delay = 0);
  void startSound(const char* key, Engine::i32 delay = 0);
  void playSoundAt(Engine::i32 index, Engine::i32 delay = 0);

  Stage& stage() const;
  // A failed lookup of the model, animation or picture, reported.
  void reportMissing(const char* what, const char* name) const;

  ActionRecord* mAction = nullptr;
  Stage* mBattle = nullptr;
  Unit* mCaster = nullptr;
  CastCamera* mCamera = nullptr;
  SoundEffectList mSounds;
  Engine::i32 mState = kRunning;
  Engine::i32 mFrame = 0;
  ModuleList mModules;
  // Declared last: it goes before the modules and the sounds.
  std::unique_ptr<StartingEffect::Container> mStartingEffect;

 private:
  bool reportSound(const char* key, Engine::i32 index, Engine::i32 delay);
};

}  // namespace Effect
}  // namespace Game
