#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"
#include "core/math/Mover.h"
#include "core/math/Mover3.h"
#include "presentation/model/Animation.h"
#include "presentation/render/RenderState.h"

namespace Game {

class Color;
class Model;
class SceneNodePool;

// One pooled 3D object: a model played at the node's own time, moved by six
// motion tracks, optionally under a parent, lighting the scene or drawing
// the camera after it. Nodes live in the slots of a SceneNodePool and are
// taken and given back by it; a released node keeps its members until its
// slot is reused.
//
// A negative time delays the node: it neither draws nor moves its tracks,
// and its lifetime does not run, until the time reaches 0.
class SceneNode {
 public:
  // An extra animation applied over the model from its own time on.
  struct Overlay {
    Animation animation;
    float time = 0.f;
  };

  SceneNode();
  SceneNode(const SceneNode&) = delete;
  SceneNode& operator=(const SceneNode&) = delete;

  // The node as new and in use, with a fresh id.
  void reset(Model* model);
  // Every member of other but the slot index, with a fresh id.
  void copyFrom(const SceneNode& other);
  // Out of use with its overlays; the children are released with it, or
  // detached when they asked for that.
  void release();

  // One logic step (see SceneNodePool::update).
  void update();
  // Composes the world state from the parent's (brought up to date first),
  // lights the scene and draws the camera when asked to.
  void updateWorld();
  void draw() const;

  bool isActive() const { return mActive; }
  // In use, shown and started.
  bool isVisible() const { return mActive && mVisible && mTime >= 0.f; }
  Engine::u32 getId() const { return mId; }
  Engine::u32 index() const { return mIndex; }
  SceneNodePool* pool() const { return mPool; }
  Model* getModel() const { return mModel; }
  float getTime() const { return mTime; }
  float getSpeed() const { return mSpeed; }
  Engine::i32 getLifetime() const { return mLifetime; }
  Engine::i32 frameCount() const { return mFrameCount; }
  SceneNode* parent() const { return mParent; }
  bool hasLight() const { return mLightOn; }
  float lightRange() const { return mLightRange; }
  const Engine::Math::Vector3& lightColor() const { return mLightColor; }
  bool isWorldValid() const { return mWorldValid; }
  const std::vector<Overlay>& overlays() const { return mOverlays; }
  // Up to date after updateWorld.
  const Engine::Math::Vector3* worldPosition() const { return &mWorldPosition; }
  const RenderState& worldState() const { return mWorldState; }

  void setTime(float time) { mTime = time; }
  void setSpeed(float speed) { mSpeed = speed; }
  // Updates (with time >= 0) before the node releases itself; 0 or -1 for ever.
  void setLifetime(Engine::i32 lifetime) { mLifetime = lifetime; }
  void setVisible(bool visible) { mVisible = visible; }
  void setCameraFollow(bool follow) { mCameraFollow = follow; }
  // positionOnly takes only the parent's world position, not its rotation
  // and scale.
  void setParent(SceneNode* parent, bool detachOnParentRelease, bool positionOnly);
  void detach() { mParent = nullptr; }
  // A null model changes nothing, nor does the same model kept; otherwise
  // the model plays from time 0.
  void setModel(Model* model, bool keep);
  // The model of that name in the current model's resource set; false, and
  // nothing changes, without a current model or such a model.
  bool setModelByName(const char* name, bool keep);
  void setLight(float range, const Engine::Math::Vector3& color);
  // Above 0 a white light of that range; otherwise no light.
  void setLightIntensity(float intensity);
  // Alpha into the transparency track, red, green and blue into ambient.
  void setColor(const Color& color);
  // Each flagged axis turned to a random angle in [0, 360).
  void randomizeRotation(bool x, bool y, bool z);
  // Every track still, the time stopped and the lifetime endless.
  void stopMotions();
  // Applied delay updates from now; an empty handle adds nothing.
  void addOverlay(const Animation& animation, float delay);

  // Turns rotation x and y to look along dir (world units).
  void aimDirection(const Engine::Math::Vector3& dir);
  // Turns to look at a world point.
  void aimAt(const Engine::Math::Vector3& point);
  // aimAt at the node's own height.
  void aimAtXY(const Engine::Math::Vector3& point);
  // Turns about z alone to face a world point; a point straight above or
  // below changes nothing.
  void faceToward(const Engine::Math::Vector3& point);
  // A local point or direction (world units) in the world.
  void localToWorldPoint(Engine::Math::Vector3* out, const Engine::Math::Vector3& p);
  void localToWorldVector(Engine::Math::Vector3* out, const Engine::Math::Vector3& v);

  Mover3 scale;
  Mover3 position;
  // Degrees about x, y and z.
  Mover3 rotation;
  Mover3 ambient;
  Mover3 diffuse;
  Mover transparency;
  // The node's own state, outermost in the world state.
  RenderState baseState;

 private:
  friend class SceneNodePool;

  void composeState();
  void lightScene() const;
  void stepOverlays();
  void bringWorldUpToDate();
  // A world point in the parent's frame (the world without a parent).
  Engine::Math::Vector3 inParentFrame(const Engine::Math::Vector3& point) const;

  SceneNodePool* mPool = nullptr;
  Engine::u32 mIndex = 0;
  bool mWorldValid = false;
  Engine::u32 mId = 0;
  bool mActive = false;
  Engine::i32 mLifetime = -1;
  Engine::i32 mFrameCount = 0;
  SceneNode* mParent = nullptr;
  bool mDetachOnParentRelease = false;
  bool mPositionOnly = false;
  Model* mModel = nullptr;
  float mTime = 0.f;
  float mSpeed = 1.f;
  bool mLightOn = false;
  float mLightRange = 0.f;
  Engine::Math::Vector3 mLightColor{1.f, 1.f, 1.f};
  bool mCameraFollow = false;
  std::vector<Overlay> mOverlays;
  bool mVisible = true;
  RenderState mWorldState;
  Engine::Math::Vector3 mWorldPosition{0.f, 0.f, 0.f};
};

}  // namespace Game
