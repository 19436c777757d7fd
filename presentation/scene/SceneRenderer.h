#pragma once

#include "Engine/Base/Types.h"
#include "core/string/String.h"

namespace Game {

// Stand-in of the scene renderer's text writer: keeps the colour, font and
// position, and the text of the last print instead of drawing it.
class TextWriter {
 public:
  void setColor(Engine::u32 argb) { mColor = argb; }
  void setFont(Engine::i32 font) { mFont = font; }
  void setPosition(Engine::i32 x, Engine::i32 y) {
    mX = x;
    mY = y;
  }
  void print(const char* text) { mLastText.assign(text); }
  void printNumber(Engine::i32 value);

  Engine::u32 color() const { return mColor; }
  Engine::i32 font() const { return mFont; }
  Engine::i32 x() const { return mX; }
  Engine::i32 y() const { return mY; }
  const String& lastText() const { return mLastText; }

 private:
  Engine::u32 mColor = 0xFFFFFFFF;
  Engine::i32 mFont = 1;
  Engine::i32 mX = 0;
  Engine::i32 mY = 0;
  String mLastText;
};

// Stand-in of the game's one renderer: the frame bracket, the hidden flag of
// fast-forwarded steps and the fade levels, counting what would be drawn.
class SceneRenderer {
 public:
  static void create(Engine::i32 width, Engine::i32 height);
  static void destroy();
  static SceneRenderer* instance();

  // Once per logic step.
  void beginFrame() { ++mFrameCount; }
  // Nothing is drawn while hidden.
  void setHidden(bool hidden) { mHidden = hidden; }
  bool isHidden() const { return mHidden; }
  void flushLayers(bool background, bool opaque, bool seeThrough, bool frontEnd);
  void drawFade();

  void setFadeLevel(Engine::i32 level) { mFadeLevel = level; }
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
  SceneRenderer(Engine::i32 width, Engine::i32 height) : mWidth(width), mHeight(height) {}

  Engine::i32 mWidth;
  Engine::i32 mHeight;
  Engine::i32 mFrameCount = 0;
  Engine::i32 mFadeLevel = 255;
  Engine::i32 mFadeTarget = 0;
  bool mHidden = false;
  Engine::i32 mDrawnLayerFlushes = 0;
  Engine::i32 mDrawnFades = 0;
  TextWriter mTextWriter;
};

}  // namespace Game
