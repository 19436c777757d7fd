#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class SceneNodePool;

namespace Effect {

// What an effect asks of the battle it plays in: the scene-node pool, the
// screen, the caption line, the battle's own sounds and the scene camera's
// targets. The battle implements it; tests record the calls.
class Stage {
 public:
  virtual ~Stage() = default;

  // The battle's pool of scene nodes (SceneNodePool::kSceneCapacity).
  virtual SceneNodePool& scenePool() = 0;

  // Full-screen flashes: white, black, or a packed ARGB colour for a number
  // of frames; the screen effect switched on or off.
  virtual void flashWhite() = 0;
  virtual void flashBlack() = 0;
  virtual void flash(Engine::u32 argb, Engine::i32 frames) = 0;
  virtual void toggleScreenEffect() = 0;
  // Target of the battle's dimming tween.
  virtual void setDimTarget(float target) = 0;
  // The caption line over the side's half of the screen.
  virtual void showCaption(const char* text, Engine::i32 side) = 0;
  // A sound of the battle's list ("src/sound/戦闘.txt") after the delay.
  virtual void playBattleSound(const char* key, Engine::i32 delay) = 0;
  // The same, but a sound still playing is not started again. By default
  // the databases' list plays it.
  virtual void startBattleSound(const char* key, Engine::i32 delay);

  // The scene camera's targets: zoom, heading and pitch (degrees), distance
  // factor, and the up-and-down offset of the looked-at point.
  virtual void setCameraZoom(float zoom) = 0;
  virtual void setCameraHeading(float degrees) = 0;
  virtual void setCameraPitch(float degrees) = 0;
  virtual void setCameraDistance(float factor) = 0;
  virtual void setCameraShake(float z) = 0;
  // The next frame's squash of the projection (1 for none).
  virtual void setAspectScale(float scale) = 0;
  // A world point on the centred 800 x 600 virtual screen.
  virtual void project(Engine::Math::Vector3& out, const Engine::Math::Vector3& worldPoint) const = 0;

  // Reports: an effect sound played (index in the effect's set, -1 when the
  // set lacks the key), and a model, animation, picture or sound a script
  // asked for and did not find. The battle writes the second to the debug
  // stream.
  virtual void soundPlayed(const char* key, Engine::i32 index, Engine::i32 delay);
  virtual void lookupFailed(const char* what, const char* name);
};

}  // namespace Effect
}  // namespace Game
