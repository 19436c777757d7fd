// A seeded generated floor's automap drawn offscreen with the sample's
// "cell" picture, kept as an image of the build tree and probed: open cells
// light grey, rock black, the two marked cells red.

#include "core/random/RandomGenerator.h"
#include "file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "render/InterfaceRender.h"
#include "resource/database/MapPictureSet.h"

namespace RenderTest {
namespace {

class AutomapRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Game::GuiPictures::create();
    waitForTextures(Game::GuiPictures::instance()->compass());
    pictures.load();
  }
  void TearDown() override {
    Game::GuiPictures::destroy();
    InterfaceRender::TearDown();
  }

  Game::MapPictureSet pictures;
};

// Cells 12 units square about the floor's middle, unturned: the cell at
// (x, y) is centred on ((x − cx) × 12, (y − cy) × 12).
TEST_F(AutomapRender, MappedOpenCellsShowAsSquaresAndTheMarkedOnesRed) {
  Game::NmlDocument node;
  node.loadFromText("b2.txt",
                    "size 20,16;roomMin 3;roomMax 7;separatorProbability 90;passageNumber 1/2;room{chip 石床;}"
                    "wall{chip 石壁床;height 2;}event 3;startPosition 1;階段 下,2;");
  Game::RandomGenerator random(2);
  Game::MapGenerator floor(Game::MapGeneratorConfig::read(node, pictures, nullptr, "b2.txt"), random);
  std::vector<Engine::u8> mapped(static_cast<std::size_t>(floor.width() * floor.height()), 1);
  i32 startX = 0;
  i32 startY = 0;
  i32 stairsX = 0;
  i32 stairsY = 0;
  ASSERT_TRUE(floor.findEvent(1, &startX, &startY));
  ASSERT_TRUE(floor.findEvent(2, &stairsX, &stairsY));
  const float cx = static_cast<float>(floor.width()) / 2.f;
  const float cy = static_cast<float>(floor.height()) / 2.f;
  Game::RenderState base;
  base.frontEnd = true;
  Game::Transform place;
  place.position.set(0.f, 0.f, 500.f);
  base.setTransform(place);
  floor.drawAutomap(base, mapped, startX, startY, stairsX, stairsY, cx, cy, 0.f);
  const Image image = finishFrame();
  keep(image, "automap.tga");

  auto pixelOf = [&](i32 x, i32 y) {
    return at(image, static_cast<i32>((static_cast<float>(x) - cx) * 12.f),
              static_cast<i32>((static_cast<float>(y) - cy) * 12.f));
  };
  i32 open = 0;
  for (i32 x = 0; x < floor.width(); ++x) {
    for (i32 y = 0; y < floor.height(); ++y) {
      const u32 pixel = pixelOf(x, y);
      if ((x == startX && y == startY) || (x == stairsX && y == stairsY)) {
        EXPECT_GT((pixel >> 16) & 0xFFu, 0x18u) << x << "," << y;
        EXPECT_LT(pixel & 0xFFFFu, 0x0808u) << x << "," << y;
      } else if (floor.isOpen(x, y)) {
        ++open;
        EXPECT_GT(pixel & 0xFFu, 0x20u) << x << "," << y;
        EXPECT_LT(pixel & 0xFFu, 0x80u) << x << "," << y;
      } else {
        EXPECT_EQ(pixel, kBlack) << x << "," << y;
      }
    }
  }
  EXPECT_GT(open, 40);
}

}  // namespace
}  // namespace RenderTest
