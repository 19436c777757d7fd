#include "presentation/scene/SceneRenderer.h"

namespace Game {

namespace {

SceneRenderer* gInstance = nullptr;

}  // namespace

void TextWriter::enableOutput(Engine::i32 width, Engine::i32 height) {
  mScreenWidth = width;
  mScreenHeight = height;
  for (std::size_t i = 0; i < mFonts.size(); ++i) {
    const Engine::i32 pixels = height * kFontHeights[i] / 600;
    mFonts[i] = Engine::Scene::Font::createOS("ＭＳ ゴシック", pixels, false, false, false, pixels > 14, 512, 512);
  }
  mRenderer = Engine::Scene::StringRenderer::create(4096, 1024);
}

void TextWriter::print(const char* text) {
  mLastText.assign(text);
  if (mHidden || !mRenderer) {
    return;
  }
  const Engine::i32 x = (mX + 400) * mScreenWidth / 800;
  const Engine::i32 y = (300 - mY) * mScreenHeight / 600;
  mRenderer.setFont(mFonts[static_cast<std::size_t>(mFont)]);
  mRenderer.add(x, y, text, mColor, false, 0.0f);
}

void TextWriter::flush() {
  if (mRenderer && !mHidden) {
    mRenderer.draw();
  }
}

void TextWriter::printNumber(Engine::i32 value) {
  String text;
  text.appendInt(value);
  print(text.c_str());
}

void SceneRenderer::create(Engine::i32 width, Engine::i32 height) {
  if (!gInstance) {
    gInstance = new SceneRenderer(width, height);
  }
}

void SceneRenderer::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

SceneRenderer* SceneRenderer::instance() { return gInstance; }

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
