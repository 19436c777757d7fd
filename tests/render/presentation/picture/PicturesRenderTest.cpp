// The sample system and interface pictures drawn offscreen: a floating
// number rising from a world point, a row of gauge pips and two faces; each
// is kept as an image of the build tree.

#include "presentation/picture/FaceSet.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/Color.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneNodePool.h"
#include "render/InterfaceRender.h"
#include "Services.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class PicturesRender : public TestServices::Test<TestServices::kGuiPictures, InterfaceRender> {
 protected:
  void SetUp() override {
    Test::SetUp();
    waitForTextures(Game::SystemResources::instance()->numbers().set());
    waitForTextures(Game::GuiPictures::instance()->gauge());
  }
};

// "120" in yellow over the world origin once every digit has started: the
// digits' ink, centred on the point, wider than it is high, with the outline
// dark between the ink and the black backdrop.
TEST_F(PicturesRender, AFloatingNumberShowsItsDigitsCentredOnItsPoint) {
  Game::SceneNodePool pool(Game::SceneNodePool::kSceneCapacity);
  const Vector3 origin(0.f, 0.f, 0.f);
  Game::SystemResources::instance()->spawnNumber(pool, 120, origin, Game::Color(kYellow), true, 0);
  for (int step = 0; step < 9; ++step) {
    pool.update();
  }
  pool.draw();
  const Image image = finishFrame();
  keep(image, "floating_number.tga");

  Vector3 centre;
  renderer().project(&centre, origin);
  ASSERT_LT(std::abs(centre.x), 300.f);
  ASSERT_LT(std::abs(centre.y), 200.f);
  const Ink ink = inkOf(image, [](u32 pixel) { return colorNear(kYellow, pixel, 8); });
  // Neither ink, outline nor backdrop.
  const Ink other = inkOf(image, [](u32 p) { return !colorNear(kYellow, p, 8) && p != kBlack && (p & 0xFF) > 0x10; });
  ASSERT_GT(ink.count, 30);
  EXPECT_NEAR((ink.left + ink.right) / 2.f - mWidth / 2.f, centre.x, 4.f);
  EXPECT_NEAR(mHeight / 2.f - (ink.top + ink.bottom) / 2.f, centre.y, 4.f);
  EXPECT_GT(ink.right - ink.left, 2 * (ink.bottom - ink.top));
  EXPECT_LT(other.count, ink.count / 4);
}

// Two filled pips of four, twice their size from (-200, -150): violet
// diamonds, then hollow ones, 32 units apart with black between them.
TEST_F(PicturesRender, AGaugeRowShowsFilledThenHollowPips) {
  Game::GuiPictures::instance()->drawGauge(-200.f, -150.f, 2.f, false, 2, 4, "active");
  const Image image = finishFrame();
  keep(image, "gauge_pips.tga");
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
  for (const Game::Face* face : {left, right}) {
    faces.texture(face)->waitReady();
    face->draw(face == left ? 0 : 1, Game::RenderState());
  }
  const Image image = finishFrame();
  Game::FaceSet::destroy();
  keep(image, "faces.tga");
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
