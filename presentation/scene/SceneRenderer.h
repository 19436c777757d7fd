#pragma once

#include "Engine/Base/Types.h"
#include "presentation/scene/TextWriter.h"

namespace Game {

// Stand-in of the game's one renderer: the frame bracket, the hidden flag of
// fast-forwarded steps, the fade and the text writer, counting what would be
// drawn. It keeps the writer's view of the hidden flag and the fade level.
class SceneRenderer {
 public:
  // The text writer draws only once enableTextOutput has been called.
  static void create(Engine::i32 width, Engine::i32 height);
  void enableTextOutput() { mTextWriter.enableOutput(); }
  static void destroy();
  static SceneRenderer* instance();

  // Once per logic step: the fade moves toward its target.
  void beginFrame();
  // Nothing is drawn while hidden.
  void setHidden(bool hidden) {
    mHidden = hidden;
    mTextWriter.setHidden(hidden);
  }
  bool isHidden() const { return mHidden; }
  void flushLayers(bool background, bool opaque, bool seeThrough, bool frontEnd);
  void drawFade();

  void setFadeLevel(Engine::i32 level) {
    mFadeLevel = level;
    mTextWriter.setFadeLevel(level);
  }
  void setFadeTarget(Engine::i32 level) { mFadeTarget = level; }
  Engine::i32 fadeLevel() const { return mFadeLevel; }
  Engine::i32 fadeTarget() const { return mFadeTarget; }

  TextWriter& textWriter() { return mTextWriter; }
  Engine::i32 width() const { return mWidth; }
  Engine::i32 height() const { return mHeight; }
  Engine::i32 frameCount() const { return mFrameCount; }
  // Layer flushes and fades that were not hidden.
  Engine::i32 drawnLayerFlushes() const { return mDrawnLayerFlushes; }
  Engine::i32 drawnFades() const { return mDrawnFades; }

 private:
  SceneRenderer(Engine::i32 width, Engine::i32 height);
  void stepFade();

  Engine::i32 mWidth;
  Engine::i32 mHeight;
  Engine::i32 mFrameCount = 0;
  Engine::i32 mFadeLevel = 255;
  Engine::i32 mFadeTarget = 0;
  bool mHidden = false;
  Engine::i32 mDrawnLayerFlushes = 0;
  Engine::i32 mDrawnFades = 0;
  TextWriter mTextWriter{mWidth, mHeight};
};

}  // namespace Game
