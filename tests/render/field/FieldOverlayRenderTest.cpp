// The field's display over a black screen, drawn offscreen from the sample
// pictures and kept as an image: the compass in the top-right corner, the
// floor number in the top-left one, the automap about the middle.

#include "core/random/RandomGenerator.h"
#include "field/FieldOverlay.h"
#include "file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "render/InterfaceRender.h"
#include "resource/database/MapPictureSet.h"

namespace RenderTest {
namespace {

class FieldOverlayRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Game::GuiPictures::create();
    waitForTextures(Game::GuiPictures::instance()->compass());
    waitForTextures(Game::SystemResources::instance()->frame());
    pictures.load();
  }
  void TearDown() override {
    Game::GuiPictures::destroy();
    InterfaceRender::TearDown();
  }

  // Pixels of the box from (x0, y0) to (x1, y1) that are not black.
  i32 litPixels(const Image& image, i32 x0, i32 y0, i32 x1, i32 y1) const {
    i32 lit = 0;
    for (i32 y = y0; y <= y1; ++y) {
      for (i32 x = x0; x <= x1; ++x) lit += at(image, x, y) != kBlack;
    }
    return lit;
  }

  Game::MapPictureSet pictures;
};

TEST_F(FieldOverlayRender, CompassInItsCornerFloorNumberTopLeftAutomapInTheMiddle) {
  Game::NmlDocument node;
  node.loadFromText("b2.txt",
                    "size 20,16;roomMin 3;roomMax 7;separatorProbability 90;passageNumber 1/2;room{chip 石床;}"
                    "wall{chip 石壁床;height 2;}event 3;startPosition 1;階段 下,2;");
  Game::RandomGenerator random(2);
  Game::MapGenerator floor(Game::MapGeneratorConfig::read(node, pictures, nullptr, "b2.txt"), random);
  std::vector<Engine::u8> mapped(static_cast<std::size_t>(floor.width() * floor.height()), 1);
  Game::FieldOverlayView view;
  view.floorNumber = 3;
  view.pitch = 37.f;
  view.yaw = 225.f;
  view.generator = &floor;
  view.mappedCells = &mapped;
  view.hasPlayer = true;
  ASSERT_TRUE(floor.findEvent(1, &view.playerX, &view.playerY));
  ASSERT_TRUE(floor.findEvent(2, &view.stairsX, &view.stairsY));
  Game::FieldOverlay().draw(view);
  const Image image = finishFrame();
  keep(image, "field_overlay.tga");

  // The ring, 96 across, leans back: lit about (320, 240), the other
  // corners below it dark.
  EXPECT_GT(litPixels(image, 280, 220, 360, 260), 400);
  EXPECT_EQ(litPixels(image, 280, -260, 360, -220), 0);
  // "3階" in font 2 and its frame from (−320, 240).
  EXPECT_TRUE(hasLightPixel(image, -318, 238, -284, 216));
  EXPECT_EQ(litPixels(image, -360, -260, -280, -220), 0);
  // The player's cell, marked red, in the middle.
  const u32 centre = at(image, 0, 0);
  EXPECT_GT((centre >> 16) & 0xFFu, 0x18u);
  EXPECT_LT(centre & 0xFFFFu, 0x0808u);
}

}  // namespace
}  // namespace RenderTest
