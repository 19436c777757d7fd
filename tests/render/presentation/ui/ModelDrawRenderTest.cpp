// Interface models drawn offscreen from the title's sample data: a model
// drawn front-end stands where the interface space puts it, at its size.

#include <filesystem>

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "file/FileLoader.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/ui/ModelDraw.h"
#include "presentation/widget/RingMenu.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Game::SceneRenderer;

constexpr i32 kWidth = 800;
constexpr i32 kHeight = 600;
constexpr u32 kBlack = 0xFF000000u;

class ModelDrawRender : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    mOldDirectory = std::filesystem::current_path();
    std::filesystem::current_path(MARROWDEEP_GAME_DIR);
    Game::Config::instance().setDefaults();
    createManager({kWidth, kHeight, false, false, false}).beginDraw();
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions{});
    Game::FileLoader::create();
    SceneRenderer::create(kWidth, kHeight);
    renderer().enableOutput();
    renderer().setFadeLevel(0);
    renderer().beginFrame();
    mSet.load("src/picture/title/main.txt");
    for (Game::OwnedList<Game::Texture>::Iterator it(mSet.textures()); !it.isEnd(); it.next()) {
      it.value()->waitReady();
    }
  }
  void TearDown() override {
    mSet.clear();
    SceneRenderer::destroy();
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
    std::filesystem::current_path(mOldDirectory);
    RenderFixture::TearDown();
  }
  static SceneRenderer& renderer() { return *SceneRenderer::instance(); }
  Image finishFrame() {
    renderer().flushLayers(true, true, true, true);
    renderer().drawFade();
    return readBack();
  }
  // A pixel of the interface space (centre (0, 0), y up).
  static u32 at(const Image& image, i32 x, i32 y) {
    return image.at(static_cast<u32>(x + kWidth / 2), static_cast<u32>(kHeight / 2 - y));
  }
  // Tipped back as the title's ring tips its items: they stand along z.
  static Game::RenderState placed(float x, float y) {
    Game::RenderState state;
    Game::Transform place;
    place.position.set(x, y, 0.f);
    place.rotation.set(-90.f, 0.f, 0.f);
    state.applyTransform(place);
    state.frontEnd = true;
    return state;
  }

  Game::ResourceSet mSet;
  std::filesystem::path mOldDirectory;
};

TEST_F(ModelDrawRender, AnInterfaceModelStandsWhereItIsPlacedAtItsSize) {
  Game::drawModel(mSet.findModel("load"), placed(100.f, 50.f), 0.f);
  const Image image = finishFrame();
  // The cube is 44 units across, over a plate 88 across.
  EXPECT_TRUE(colorNear(0xFF80A0FFu, at(image, 100, 50), 40)) << std::hex << at(image, 100, 50);
  EXPECT_NE(at(image, 100 + 35, 50), kBlack);
  EXPECT_EQ(at(image, 100 + 50, 50), kBlack);
  EXPECT_EQ(at(image, 100, 50 + 50), kBlack);
  EXPECT_EQ(at(image, 0, 0), kBlack);
}

TEST_F(ModelDrawRender, TheTitleRingShowsItsItems) {
  Game::RingMenu ring(15.f, 256.f);
  for (const char* name : {"start", "load", "config", "quit"}) {
    ring.addItem(0, mSet.findModel(name));
  }
  ring.finishOpening();
  Game::RenderState base;
  Game::Transform place;
  place.rotation.set(-90.f, 0.f, 180.f);
  place.position.set(0.f, -140.f, 0.f);
  base.applyTransform(place);
  ring.draw(base, 0.f);
  const Image image = finishFrame();
  i32 lit = 0;
  for (i32 y = -296; y <= 300; y += 4) {
    for (i32 x = -400; x < 400; x += 4) {
      lit += at(image, x, y) != kBlack ? 1 : 0;
    }
  }
  EXPECT_GT(lit, 100);
  EXPECT_NE(at(image, 0, -140), kBlack);
}

}  // namespace
}  // namespace RenderTest
