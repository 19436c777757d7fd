#include "presentation/scene/SceneRenderer.h"

namespace Game {

namespace {

SceneRenderer* gInstance = nullptr;

}  // namespace

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
  }
}

}  // namespace Game
