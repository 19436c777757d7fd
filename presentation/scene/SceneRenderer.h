#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "Engine/Scene/Font.h"
#include "Engine/Scene/StringRenderer.h"
#include "core/string/String.h"

namespace Game {

// Stand-in of the scene renderer's text writer: three system-font sizes,
// a colour and a position on the 800x600 virtual screen (centre (0, 0), y up);
// each print is one line queued at the position. Without text output (no
// graphics device) it only keeps the last text printed.
class TextWriter {
 public:
  static constexpr Engine::i32 kFontHeights[3] = {14, 20, 26};

  // Fonts scaled to the back buffer's height, and the string renderer.
  void enableOutput(Engine::i32 width, Engine::i32 height);
  void setHidden(bool hidden) { mHidden = hidden; }
  // Draws the queued text.
  void flush();

  void setColor(Engine::u32 argb) { mColor = argb; }
  void setFont(Engine::i32 font) { mFont = font; }
  void setPosition(Engine::i32 x, Engine::i32 y) {
    mX = x;
    mY = y;
  }
  void print(const char* text);
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
  bool mHidden = false;
  Engine::i32 mScreenWidth = 800;
  Engine::i32 mScreenHeight = 600;
  std::array<Engine::Scene::Font, 3> mFonts;
  Engine::Scene::StringRenderer mRenderer;
};

// Stand-in of the game's one renderer: the frame bracket, the hidden flag of
// fast-forwarded steps and the fade levels, counting what would be drawn.
class SceneRenderer {
 public:
  // The text writer draws only once enableTextOutput has been called.
  static void create(Engine::i32 width, Engine::i32 height);
  void enableTextOutput() { mTextWriter.enableOutput(mWidth, mHeight); }
  static void destroy();
  static SceneRenderer* instance();

  // Once per logic step.
  void beginFrame() { ++mFrameCount; }
  // Nothing is drawn while hidden.
  void setHidden(bool hidden) {
    mHidden = hidden;
    mTextWriter.setHidden(hidden);
  }
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
