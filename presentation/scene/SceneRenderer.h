#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Matrix44.h"
#include "Engine/Math/Vector3.h"
#include "Engine/Scene/PrimitiveRenderer.h"
#include "presentation/resource/Batch.h"
#include "presentation/scene/Camera.h"
#include "presentation/scene/Lights.h"
#include "presentation/scene/RenderQueue.h"
#include "presentation/scene/TextWriter.h"

namespace Game {

class Color;

// The game's one renderer: the camera, four lights, the fade to black, the
// four-layer queue of mesh draws, the text and a few 2D drawings. Each logic
// step starts with beginFrame; meshes queue during the step and the frame
// driver flushes the layers after the game flow; after the last step of a
// frame it draws the fade, which flushes the text too.
//
// 2D drawings take the 800x600 virtual screen; the device's pixels follow
// the back buffer's size.
class SceneRenderer {
 public:
  static constexpr Engine::i32 kVirtualWidth = 800;
  static constexpr Engine::i32 kVirtualHeight = 600;

  static void create(Engine::i32 width, Engine::i32 height);
  static void destroy();
  static SceneRenderer* instance();

  // Makes what draws on the graphics device (the 2D renderer, the screen
  // quad, the fonts); until then steps are laid out and consumed but
  // nothing reaches a device.
  void enableOutput();
  // The older name, from when only the text reached the device.
  void enableTextOutput() { enableOutput(); }
  bool hasOutput() const { return mHasOutput; }

  // Once a logic step: camera, lights, fade, projections.
  void beginFrame();
  // Nothing is drawn while hidden (the steps of a frame but its last).
  void setHidden(bool hidden);
  bool isHidden() const { return mView.hidden; }

  // 0 clear .. 255 black. The level walks to the target by itself.
  void setFadeLevel(Engine::i32 level);
  void setFadeTarget(Engine::i32 level) { mFadeTarget = level; }
  Engine::i32 fadeLevel() const { return mFadeLevel; }
  Engine::i32 fadeTarget() const { return mFadeTarget; }

  // The scene nodes' light.
  Light& pointLight() { return mLights.record(SceneLights::kPoint); }
  SceneLights& lights() { return mLights; }
  Camera& camera() { return mCamera; }
  RenderQueue& renderQueue() { return mQueue; }
  TextWriter& textWriter() { return mTextWriter; }

  // A world point on the centred 800x600 virtual screen (y up), depth x 512.
  void project(Engine::Math::Vector3* out, const Engine::Math::Vector3& worldPoint) const;
  // A horizontal scale of the next frame's projection; beginFrame resets it to 1.
  void setAspectScale(float scale) { mAspectScale = scale; }

  // The queue's flagged layers (all of them when hidden too: nothing draws
  // then, but the queue empties).
  void flushLayers(bool background, bool opaque, bool seeThrough, bool frontEnd);
  // Every layer, then the text.
  void flush();
  // The end of a shown frame: flush, the fade over everything, the 2D drawings.
  void drawFade();
  // A filled rectangle from the top-left of the virtual screen, alpha blended,
  // drawn with the fade; depth in 0..512.
  void drawRect(Engine::i32 x, Engine::i32 y, Engine::i32 width, Engine::i32 height, Engine::u32 argb,
                Engine::i32 depth);
  // A line shaded from color0 to color1, from the bottom-left of the virtual
  // screen or, when centred, from its centre.
  void drawLine2D(float x0, float y0, float x1, float y1, bool centred, Engine::u32 color0, Engine::u32 color1);
  // A white line between two world points.
  void drawLine3D(const Engine::Math::Vector3& a, const Engine::Math::Vector3& b);
  // The whole screen covered at once in a colour (alpha blended).
  void fillScreen(const Color& color);
  // What is drawn so far turned to its negative (the battle's stopped time).
  void invertScreen();

  Engine::i32 width() const { return mWidth; }
  Engine::i32 height() const { return mHeight; }
  // beginFrame calls so far.
  Engine::i32 frameCount() const { return mFrameCount; }
  // Triangles drawn since the last shown beginFrame.
  Engine::i32 triangleCount() const { return mTriangleCount; }
  const Engine::Math::Matrix44& viewProjection() const { return mView.viewProjection; }
  const Engine::Math::Matrix44& screenProjection() const { return mView.screenProjection; }
  // What draws are seen through now: for meshes drawn at once
  // (RenderQueue::drawEntry) instead of queued.
  const DrawView& drawView() const { return mView; }
  // The camera-facing rotation billboard states turn by.
  const Engine::Math::Matrix34& billboardMatrix() const { return mBillboardMatrix; }
  // flushLayers and drawFade calls that were not hidden.
  Engine::i32 drawnLayerFlushes() const { return mDrawnLayerFlushes; }
  Engine::i32 drawnFades() const { return mDrawnFades; }

  SceneRenderer(const SceneRenderer&) = delete;
  SceneRenderer& operator=(const SceneRenderer&) = delete;

 private:
  SceneRenderer(Engine::i32 width, Engine::i32 height);
  ~SceneRenderer();

  void stepFade();
  void updateProjection();

  Engine::i32 mWidth;
  Engine::i32 mHeight;
  SceneLights mLights;
  Engine::i32 mFrameCount = 0;
  Engine::Scene::PrimitiveRenderer mPrimitives;
  Engine::i32 mFadeLevel = 255;
  Engine::i32 mFadeTarget = 0;
  Engine::i32 mTriangleCount = 0;
  RenderQueue mQueue;
  Camera mCamera;
  TextWriter mTextWriter{mWidth, mHeight};
  float mAspectScale = 1.f;
  // One white quad for full-screen passes: fills and the negative passes.
  Batch mScreenBatch;
  // Matrices, eye, light intensities, screen quad and the hidden flag.
  DrawView mView;
  Engine::Math::Matrix34 mBillboardMatrix;
  bool mHasOutput = false;
  Engine::i32 mDrawnLayerFlushes = 0;
  Engine::i32 mDrawnFades = 0;
};

}  // namespace Game
