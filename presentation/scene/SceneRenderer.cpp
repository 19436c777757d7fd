#include "presentation/scene/SceneRenderer.h"

#include "core/config/Config.h"

namespace Game {

namespace {

SceneRenderer* gInstance = nullptr;

constexpr Engine::i32 kFadeStride = 8;

// The settings menu's text-antialias choice takes effect through new fonts.
void rebuildTextFonts() {
  if (gInstance) {
    gInstance->textWriter().rebuildFonts();
  }
}

}  // namespace

SceneRenderer::SceneRenderer(Engine::i32 width, Engine::i32 height) : mWidth(width), mHeight(height) {
  mTextWriter.setFadeLevel(mFadeLevel);
}

void SceneRenderer::create(Engine::i32 width, Engine::i32 height) {
  if (!gInstance) {
    gInstance = new SceneRenderer(width, height);
    Config::targets().rebuildFonts = rebuildTextFonts;
  }
}

void SceneRenderer::destroy() {
  Config::targets().rebuildFonts = nullptr;
  delete gInstance;
  gInstance = nullptr;
}

SceneRenderer* SceneRenderer::instance() { return gInstance; }

void SceneRenderer::beginFrame() {
  stepFade();
  ++mFrameCount;
}

// Nine levels a step while more than eight away, then one.
void SceneRenderer::stepFade() {
  Engine::i32 level = mFadeLevel;
  if (level - kFadeStride > mFadeTarget) {
    level -= kFadeStride;
  }
  if (level > mFadeTarget) {
    level -= 1;
  }
  if (level + kFadeStride < mFadeTarget) {
    level += kFadeStride;
  }
  if (level < mFadeTarget) {
    level += 1;
  }
  setFadeLevel(level);
}

void SceneRenderer::flushLayers(bool, bool, bool, bool) {
  if (!mHidden) {
    ++mDrawnLayerFlushes;
  }
}

void SceneRenderer::drawFade() {
  if (!mHidden) {
    ++mDrawnFades;
    mTextWriter.flush();
  }
}

}  // namespace Game
