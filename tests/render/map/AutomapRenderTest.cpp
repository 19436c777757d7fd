// A seeded generated floor's automap drawn offscreen with the sample's
// "cell" picture, kept as an image of the build tree and probed: open cells
// light grey, rock black, the marked cells red.

#include <optional>
#include <vector>

#include "core/random/RandomGenerator.h"
#include "core/file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "render/InterfaceRender.h"
#include "records/database/MapPictureSet.h"
#include "Services.h"

namespace RenderTest {
namespace {

class AutomapRender : public TestServices::Test<TestServices::kGuiPictures, InterfaceRender> {
 protected:
  void SetUp() override {
    Test::SetUp();
    waitForTextures(Game::GuiPictures::instance()->compass());
    pictures.load();
    Game::NmlDocument node;
    node.loadFromText("b2.txt",
                      "size 20,16;roomMin 3;roomMax 7;separatorProbability 90;passageNumber 1/2;room{chip 石床;}"
                      "wall{chip 石壁床;height 2;}event 3;startPosition 1;階段 下,2;");
    Game::RandomGenerator random(2);
    floor.emplace(Game::MapGeneratorConfig::read(node, pictures, nullptr, "b2.txt"), random);
    mapped.assign(static_cast<std::size_t>(floor->width() * floor->height()), 1);
    ASSERT_TRUE(floor->findEvent(1, &startX, &startY));
    ASSERT_TRUE(floor->findEvent(2, &stairsX, &stairsY));
  }
  // Red as the marked cells draw.
  static bool red(u32 pixel) { return ((pixel >> 16) & 0xFFu) > 0x18u && (pixel & 0xFFFFu) < 0x0808u; }

  Game::MapPictureSet pictures;
  std::optional<Game::MapGenerator> floor;
  std::vector<Engine::u8> mapped;
  i32 startX = 0, startY = 0, stairsX = 0, stairsY = 0;
};

// Cells 12 units square about the floor's middle, unturned: the cell at
// (x, y) is centred on ((x − cx) × 12, (y − cy) × 12).
TEST_F(AutomapRender, MappedOpenCellsShowAsSquaresAndTheMarkedOnesRed) {
  const float cx = static_cast<float>(floor->width()) / 2.f;
  const float cy = static_cast<float>(floor->height()) / 2.f;
  Game::RenderState base;
  base.frontEnd = true;
  Game::Transform place;
  place.position.set(0.f, 0.f, 500.f);
  base.setTransform(place);
  floor->drawAutomap(base, mapped, startX, startY, stairsX, stairsY, cx, cy, 0.f);
  const Image image = finishFrame();
  keep(image, "automap.tga");

  i32 open = 0;
  for (i32 x = 0; x < floor->width(); ++x) {
    for (i32 y = 0; y < floor->height(); ++y) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      const u32 pixel = at(image, static_cast<i32>((static_cast<float>(x) - cx) * 12.f),
                           static_cast<i32>((static_cast<float>(y) - cy) * 12.f));
      if ((x == startX && y == startY) || (x == stairsX && y == stairsY)) {
        EXPECT_TRUE(red(pixel));
      } else if (floor->isOpen(x, y)) {
        ++open;
        EXPECT_GT(pixel & 0xFFu, 0x20u);
        EXPECT_LT(pixel & 0xFFu, 0x80u);
      } else {
        EXPECT_EQ(pixel, kBlack);
      }
    }
  }
  EXPECT_GT(open, 40);
}

}  // namespace
}  // namespace RenderTest
