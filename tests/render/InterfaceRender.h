#pragma once

#include <filesystem>

#include "presentation/resource/ResourceSet.h"
#include "presentation/scene/SceneRenderer.h"
#include "render/RenderSupport.h"

namespace RenderTest {

using Engine::i32;

// The scene renderer with the file managers and the system pictures, working in
// the build's sample data (or in mDirectory, set before SetUp).
class InterfaceRender : public RenderFixture {
 protected:
  explicit InterfaceRender(i32 width = 800, i32 height = 600) : mWidth(width), mHeight(height) {}
  void SetUp() override;
  void TearDown() override;

  static Game::SceneRenderer& renderer() { return *Game::SceneRenderer::instance(); }
  // The step's end as the application draws it.
  Image finishFrame();
  // What settles over a frame (scrolling, layout) is drawn, dropped, and drawn again.
  static void nextFrame();
  static void waitForTextures(Game::ResourceSet& set);
  // A pixel of the interface space (centre (0, 0), y up), one unit to a pixel.
  u32 at(const Image& image, i32 x, i32 y) const;
  // Whether the box from (x0, y0) down to (x1, y1) holds a light pixel, as text draws.
  bool hasLightPixel(const Image& image, i32 x0, i32 y0, i32 x1, i32 y1) const;
  static void keep(const Image& image, const char* name) { ASSERT_TRUE(keepArtefact(image, name)); }

  const i32 mWidth;
  const i32 mHeight;
  std::filesystem::path mDirectory = MARROWDEEP_GAME_DIR;

 private:
  std::filesystem::path mOldDirectory;
};

}  // namespace RenderTest
