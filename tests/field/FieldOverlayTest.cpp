// The field's display as the draw hook records it: the floor number, the
// compass turned with the camera, the automap about the player.

#include "field/FieldOverlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <tuple>

#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "tests/map/MapGeneratorSupport.h"

namespace {

// Frame pieces f0..f8; the compass's cursor moves a unit a frame along its y.
class FieldOverlayTest : public MapGeneratorSupport::GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    std::string frame;
    for (int i = 0; i < 9; ++i) frame += "batch{name f" + std::to_string(i) + ";rect 0,0,64,64;}";
    fs().put("src/system/frame.txt", frame);
    for (const char* file : {"system/wall", "system/cursor", "system/gauge", "system/number", "system/rect",
                             "system/systemsound", "picture/gui/呪力", "picture/gui/矢印", "picture/gui/スポット",
                             "picture/gui/アイコン"}) fs().put(std::string("src/") + file + ".txt", "");
    fs().put("src/picture/gui/コンパス.txt", "animation{name cursor;position{y{{value 0;delay 1000;}{value 1000;}}}}"
                                             "batch{name cell;rect 0,0,2,2;}batch{name cursor;rect 0,0,2,2;}batch{name ring;rect 0,0,2,2;}");
    Game::SceneRenderer::create(800, 600);
    Game::SystemResources::create();
    Game::GuiPictures::create();
  }
  void TearDown() override {
    Game::GuiPictures::destroy();
    Game::SystemResources::destroy();
    Game::SceneRenderer::destroy();
    GeneratorTest::TearDown();
  }
  // "batch@x,y" of each draw (interface units, rounded; "!" when red), or only the red ones.
  std::string drawn(bool redOnly = false) {
    std::ostringstream out;
    for (const auto& draw : hook.draws) {
      const bool red = draw.state.colors.ambient.y == 0.f;
      if (red || !redOnly) out << draw.batch << "@" << std::lround(draw.state.transform(0, 3) * 400.f) << ","
                               << std::lround(draw.state.transform(1, 3) * 400.f) << (red ? "! " : " ");
    }
    hook.draws.clear();
    return out.str();
  }

  ModelTestSupport::RecordingHook hook;
};

// At (320, 240) turned by (pitch − 90, 0, −90 − yaw); the cursor f units
// along its own y: pitch 37 tips y to (0, 0.6018, −0.7986).
TEST_F(FieldOverlayTest, TheCompassTurnsWithTheCameraAndTheFloorNumberIsFramed) {
  const struct { float pitch, yaw; int frame; const char* draws; } cases[] = {
      {90, 0, 0, "cursor@320,240 ring@320,240 "}, {90, 0, 12, "cursor@332,240 ring@320,240 "},
      {90, 90, 5, "cursor@320,235 ring@320,240 "}, {37, -90, 10, "cursor@320,246 ring@320,240 "}};
  for (const auto& c : cases) {
    // Frame 0 is the view's own.
    Game::FieldOverlay().draw(c.frame ? Game::FieldOverlayView{.frame = c.frame, .pitch = c.pitch, .yaw = c.yaw}
                                      : Game::FieldOverlayView{.pitch = c.pitch});
    EXPECT_EQ(drawn(), c.draws) << c.pitch << "," << c.yaw;
  }
  // The number and "階" in font 2, grey, framed from (−320, 240); none on floor 0.
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  for (const auto& [floor, text] : {std::pair{3, "3階"}, {-12, "-12階"}, {0, ""}}) {
    writer.print("");
    Game::FieldOverlay().draw({.floorNumber = floor});
    int x = 0, y = 0;
    writer.getOrigin(&x, &y);
    EXPECT_STREQ(writer.lastText().c_str() ? writer.lastText().c_str() : "", text);
    EXPECT_EQ(drawn().rfind("f0@-324,244 ", 0) == 0, floor != 0);
    if (floor) {
      EXPECT_EQ((std::tuple{writer.font(), writer.color(), x, y}), (std::tuple{2, 0xFFC0C0C0u, -320, 240}));
    }
  }
}

// One room, all mapped: the player's cell (red) in the middle, the stairs'
// 12 units a cell away turned by −90 − yaw; no map while key 5 is held, on
// a hand-made floor or without a player.
TEST_F(FieldOverlayTest, TheAutomapCentresOnThePlayerUnlessHeldOrHandMade) {
  auto floor = generate("size 11,8;roomMin 2;roomMax 9;separatorProbability 0;startPosition 1;階段 上,2;", 3);
  std::vector<Engine::u8> mapped(static_cast<std::size_t>(floor->width() * floor->height()), 1);
  Game::FieldOverlayView view{.generator = floor.get(), .mappedCells = &mapped, .hasPlayer = true};
  ASSERT_TRUE(floor->findEvent(1, &view.playerX, &view.playerY) && floor->findEvent(2, &view.stairsX, &view.stairsY));
  ASSERT_EQ(std::pair(view.stairsX - view.playerX, view.stairsY - view.playerY), std::pair(-3, 4));
  const struct { float yaw; bool held, handMade, noPlayer; const char* marks; } cases[] = {
      {-90, 0, 0, 0, "cell@-36,48! cell@0,0! "}, {0, 0, 0, 0, "cell@48,36! cell@0,0! "},
      {90, 0, 0, 0, "cell@36,-48! cell@0,0! "}, {-90, 1, 0, 0, ""}, {-90, 0, 1, 0, ""}, {-90, 0, 0, 1, ""}};
  for (const auto& c : cases) {
    Game::FieldOverlayView v = view;
    std::tie(v.yaw, v.mapHeld, v.hasPlayer) = std::tuple(c.yaw, c.held, !c.noPlayer);
    v.generator = c.handMade ? nullptr : floor.get();
    Game::FieldOverlay().draw(v);
    EXPECT_EQ(drawn(true), c.marks) << c.yaw << c.held << c.handMade << c.noPlayer;
  }
}

}  // namespace
