// The sample faces drawn offscreen beside the message box and kept as an
// image of the build tree.

#include "presentation/picture/FaceSet.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Texture.h"
#include "render/InterfaceRender.h"

namespace RenderTest {
namespace {

using FaceRender = InterfaceRender;

// Both faces 192 units square about their places, the left one mirrored:
// the picture's row 5 is inked from column 2 to 14 of 16, so its clear
// columns 0, 1 and 15 land at 15, 14 and 0 on the left.
TEST_F(FaceRender, TwoFacesStandBesideTheBoxLookingInward) {
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
