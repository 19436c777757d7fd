// The sample system and interface pictures drawn offscreen: a floating
// number rising from a world point, a row of gauge pips and two faces; each
// is kept as an image of the build tree.

#include <algorithm>
#include <filesystem>

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "file/FileLoader.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/Color.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Engine::Math::Vector3;
using Game::SceneRenderer;

constexpr i32 kWidth = 800;
constexpr i32 kHeight = 600;
constexpr u32 kBlack = 0xFF000000u;

void waitForTextures(Game::ResourceSet& set) {
  for (Game::OwnedList<Game::Texture>::Iterator it(set.textures()); !it.isEnd(); it.next()) {
    it.value()->waitReady();
  }
}

// The renderer over the build's sample data, with its pictures loaded.
class PicturesRender : public RenderFixture {
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
    Game::SystemResources::create();
    Game::GuiPictures::create();
    waitForTextures(Game::SystemResources::instance()->numbers().set());
    waitForTextures(Game::GuiPictures::instance()->gauge());
  }
  void TearDown() override {
    Game::GuiPictures::destroy();
    Game::SystemResources::destroy();
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
  // A pixel of the virtual screen (centre (0, 0), y up), one to the screen.
  static u32 at(const Image& image, i32 x, i32 y) {
    return image.at(static_cast<u32>(x + kWidth / 2), static_cast<u32>(kHeight / 2 - y));
  }

  std::filesystem::path mOldDirectory;
};

// "120" in yellow over the world origin once every digit has started: the
// digits' ink, centred on the point, wider than it is high, with the outline
// dark between the ink and the black backdrop.
TEST_F(PicturesRender, AFloatingNumberShowsItsDigitsCentredOnItsPoint) {
  Game::SceneNodePool pool(Game::SceneNodePool::kSceneCapacity);
  const Vector3 origin(0.f, 0.f, 0.f);
  Game::SystemResources::instance()->spawnNumber(pool, 120, origin, Game::Color(0xFFFFFF00u), true, 0);
  for (int step = 0; step < 9; ++step) {
    pool.update();
  }
  pool.draw();
  const Image image = finishFrame();
  ASSERT_TRUE(keepArtefact(image, "floating_number.tga"));

  Vector3 centre;
  renderer().project(&centre, origin);
  ASSERT_LT(std::abs(centre.x), 300.f);
  ASSERT_LT(std::abs(centre.y), 200.f);
  int left = kWidth, right = -1, top = kHeight, bottom = -1, ink = 0, other = 0;
  for (u32 y = 0; y < image.height; ++y) {
    for (u32 x = 0; x < image.width; ++x) {
      const u32 pixel = image.at(x, y);
      if (colorNear(0xFFFFFF00u, pixel, 8)) {
        ++ink;
        left = std::min(left, static_cast<int>(x));
        right = std::max(right, static_cast<int>(x));
        top = std::min(top, static_cast<int>(y));
        bottom = std::max(bottom, static_cast<int>(y));
      } else if (pixel != kBlack && (pixel & 0xFF) > 0x10) {
        ++other;  // neither ink, outline nor backdrop
      }
    }
  }
  ASSERT_GT(ink, 30);
  EXPECT_NEAR((left + right) / 2.f - kWidth / 2.f, centre.x, 4.f);
  EXPECT_NEAR(kHeight / 2.f - (top + bottom) / 2.f, centre.y, 4.f);
  EXPECT_GT(right - left, 2 * (bottom - top));
  EXPECT_LT(other, ink / 4);
}

// Two filled pips of four, twice their size from (-200, -150): violet
// diamonds, then hollow ones, 32 units apart with black between them.
TEST_F(PicturesRender, AGaugeRowShowsFilledThenHollowPips) {
  Game::GuiPictures::instance()->drawGauge(-200.f, -150.f, 2.f, false, 2, 4, "active");
  const Image image = finishFrame();
  ASSERT_TRUE(keepArtefact(image, "gauge_pips.tga"));
  for (int i = 0; i < 4; ++i) {
    const i32 x = -200 + 32 * i + 14;
    EXPECT_TRUE(colorNear(i < 2 ? 0xFFC080FFu : 0xFF302838u, at(image, x, -164), 8)) << i;
    EXPECT_EQ(at(image, x + 16, -164), kBlack) << i;
    EXPECT_EQ(at(image, x, -164 + 18), kBlack) << i;
  }
}

// Both faces 192 units square about their places, the left one mirrored:
// the picture's row 5 is inked from column 2 to 14 of 16, so its clear
// columns 0, 1 and 15 land at 15, 14 and 0 on the left.
TEST_F(PicturesRender, TwoFacesStandBesideTheBoxLookingInward) {
  Game::FaceSet::create();
  Game::FaceSet& faces = *Game::FaceSet::instance();
  const Game::Face* left = faces.find("ケッサ");
  const Game::Face* right = faces.find("店主");
  ASSERT_TRUE(left && right);
  faces.texture(left)->waitReady();
  faces.texture(right)->waitReady();
  left->draw(0, Game::RenderState());
  right->draw(1, Game::RenderState());
  const Image image = finishFrame();
  Game::FaceSet::destroy();
  ASSERT_TRUE(keepArtefact(image, "faces.tga"));
  // Row 5 of the picture: cells 2..14 inked, the rest clear; 12 units a cell.
  const i32 row = -44 + 96 - 5 * 12 - 6;
  for (const i32 side : {-1, 1}) {
    const i32 first = side * 272 - 96;
    const auto cell = [&](i32 column) { return at(image, first + 12 * column + 6, row); };
    SCOPED_TRACE(side);
    const i32 inked[2] = {side < 0 ? 13 : 2, side < 0 ? 1 : 14};
    const i32 clear[3] = {side < 0 ? 15 : 0, side < 0 ? 14 : 1, side < 0 ? 0 : 15};
    for (const i32 column : inked) {
      EXPECT_NE(cell(column), kBlack) << column;
    }
    for (const i32 column : clear) {
      EXPECT_EQ(cell(column), kBlack) << column;
    }
    EXPECT_NE(at(image, side * 272, -44), kBlack);
  }
}

}  // namespace
}  // namespace RenderTest
