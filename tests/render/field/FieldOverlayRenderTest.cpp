// The field's display over a black screen from the sample pictures, kept as
// an image: compass top right, floor number top left, automap in the middle.

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

using FieldOverlayRender = InterfaceRender;

TEST_F(FieldOverlayRender, CompassInItsCornerFloorNumberTopLeftAutomapInTheMiddle) {
  Game::GuiPictures::create();
  waitForTextures(Game::GuiPictures::instance()->compass());
  waitForTextures(Game::SystemResources::instance()->frame());
  Game::MapPictureSet pictures;
  pictures.load();
  Game::NmlDocument node;
  node.loadFromText("b2.txt", "size 20,16;roomMin 3;roomMax 7;separatorProbability 90;passageNumber 1/2;"
                              "room{chip 石床;}wall{chip 石壁床;height 2;}startPosition 1;階段 下,2;");
  Game::RandomGenerator random(2);
  Game::MapGenerator floor(Game::MapGeneratorConfig::read(node, pictures, nullptr, "b2.txt"), random);
  std::vector<Engine::u8> mapped(static_cast<std::size_t>(floor.width() * floor.height()), 1);
  Game::FieldOverlayView view{.floorNumber = 3, .pitch = 37, .yaw = 225, .generator = &floor, .mappedCells = &mapped,
                              .hasPlayer = true};
  ASSERT_TRUE(floor.findEvent(1, &view.playerX, &view.playerY) && floor.findEvent(2, &view.stairsX, &view.stairsY));
  Game::FieldOverlay().draw(view);
  const Image image = finishFrame();
  keep(image, "field_overlay.tga");
  const auto lit = [&](i32 x0, i32 y0, i32 x1, i32 y1) {
    i32 n = 0;
    for (i32 y = y0; y <= y1; ++y) {
      for (i32 x = x0; x <= x1; ++x) n += at(image, x, y) != kBlack;
    }
    return n;
  };
  // The ring (96 across, leaning back) about (320, 240); the corners below dark.
  EXPECT_GT(lit(280, 220, 360, 260), 400);
  EXPECT_EQ(lit(280, -260, 360, -220) + lit(-360, -260, -280, -220), 0);
  // "3階" and its frame from (−320, 240); the player's cell red in the middle.
  EXPECT_TRUE(hasLightPixel(image, -318, 238, -284, 216));
  EXPECT_GT((at(image, 0, 0) >> 16) & 0xFFu, 0x18u);
  EXPECT_LT(at(image, 0, 0) & 0xFFFFu, 0x0808u);
  Game::GuiPictures::destroy();
}

}  // namespace
}  // namespace RenderTest
