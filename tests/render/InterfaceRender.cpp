#include "render/InterfaceRender.h"

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "core/file/FileLoader.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/resource/Texture.h"

namespace RenderTest {

using Game::SceneRenderer;

void InterfaceRender::SetUp() {
  RenderFixture::SetUp();
  mOldDirectory = std::filesystem::current_path();
  std::filesystem::current_path(mDirectory);
  Game::Config::instance().setDefaults();
  createManager({static_cast<u32>(mWidth), static_cast<u32>(mHeight), false, false, false}).beginDraw();
  Engine::Threading::Manager::create(0);
  Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions{});
  Game::FileLoader::create();
  SceneRenderer::create(mWidth, mHeight);
  renderer().enableOutput();
  renderer().setFadeLevel(0);
  renderer().beginFrame();
  Game::SystemResources::create();
}

void InterfaceRender::TearDown() {
  Game::SystemResources::destroy();
  SceneRenderer::destroy();
  Game::FileLoader::destroy();
  Engine::FileIO::ManagerImpl::destroy();
  Engine::Threading::Manager::destroy();
  std::filesystem::current_path(mOldDirectory);
  RenderFixture::TearDown();
}

Image InterfaceRender::finishFrame() {
  renderer().flushLayers(true, true, true, true);
  renderer().drawFade();
  return readBack();
}

void InterfaceRender::nextFrame() {
  renderer().renderQueue().clear();
  renderer().flush();
  Engine::Graphics::Manager::instance().endDraw();
  Engine::Graphics::Manager::instance().beginDraw();
  renderer().beginFrame();
}

void InterfaceRender::waitForTextures(Game::ResourceSet& set) {
  for (Game::OwnedList<Game::Texture>::Iterator it(set.textures()); !it.isEnd(); it.next()) {
    it.value()->waitReady();
  }
}

u32 InterfaceRender::at(const Image& image, i32 x, i32 y) const {
  return image.at(static_cast<u32>(x + mWidth / 2), static_cast<u32>(mHeight / 2 - y));
}

bool InterfaceRender::hasLightPixel(const Image& image, i32 x0, i32 y0, i32 x1, i32 y1) const {
  for (i32 y = y1; y <= y0; ++y) {
    for (i32 x = x0; x <= x1; ++x) {
      const u32 pixel = at(image, x, y);
      if ((pixel & 0xFFu) > 0x90u && ((pixel >> 8) & 0xFFu) > 0x90u) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace RenderTest
