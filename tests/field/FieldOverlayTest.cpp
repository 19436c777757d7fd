// The field's display over the floor, as the draw hook records it: the floor
// number, the compass turned with the camera and the automap about the
// player; and the light that follows the player on sites that want one.

#include "field/FieldOverlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "resource/database/MapSiteData.h"
#include "tests/field/FieldFixture.h"
#include "tests/map/MapGeneratorSupport.h"

namespace {

using Engine::i32;
using Game::FieldOverlayView;
using ModelTestSupport::RecordingHook;

// Frame pieces f0..f8; a compass whose cursor moves one unit along its own
// x a frame.
class FieldOverlayTest : public MapGeneratorSupport::GeneratorTest {
 protected:
  void SetUp() override {
    GeneratorTest::SetUp();
    std::string frame;
    for (i32 i = 0; i < 9; ++i) frame += "batch{name f" + std::to_string(i) + ";rect 0,0,64,64;}";
    fs().put("src/system/frame.txt", frame);
    for (const char* file : {"wall", "cursor", "gauge", "number", "rect", "systemsound"}) {
      fs().put(std::string("src/system/") + file + ".txt", "");
    }
    for (const char* file : {"呪力", "矢印", "スポット", "アイコン"}) {
      fs().put(std::string("src/picture/gui/") + file + ".txt", "");
    }
    fs().put("src/picture/gui/コンパス.txt",
             "animation{name cursor;position{x{{value 0;delay 1000;}{value 1000;}}}}"
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

  std::vector<const RecordingHook::Draw*> drawsOf(const char* batch) const {
    std::vector<const RecordingHook::Draw*> found;
    for (const RecordingHook::Draw& draw : hook.draws) {
      if (draw.batch == batch) found.push_back(&draw);
    }
    return found;
  }
  static float at(const Game::RenderState& state, i32 row) { return state.transform(row, 3) * 400.f; }

  Game::FieldOverlay overlay;
  RecordingHook hook;
};

// The compass stands at (320, 240) turned by (pitch − 90, 0, −90 − yaw):
// where its own x and y axes point on the screen (matrix columns 0 and 1).
TEST_F(FieldOverlayTest, TheCompassTurnsWithTheCamera) {
  const struct {
    float pitch, yaw;
    float xAxis[3], yAxis[3];
  } cases[] = {
      {90.f, -90.f, {1, 0, 0}, {0, 1, 0}},  // no turn
      {90.f, 0.f, {0, -1, 0}, {1, 0, 0}},   // −90 about z
      {90.f, 90.f, {-1, 0, 0}, {0, -1, 0}}, // −180 about z
      {0.f, -90.f, {1, 0, 0}, {0, 0, -1}},  // −90 about x: its y sinks into the screen
      {37.f, -90.f, {1, 0, 0}, {0, 0.6018150f, -0.7986355f}},  // −53 about x
  };
  for (const auto& c : cases) {
    hook.draws.clear();
    FieldOverlayView view;
    view.pitch = c.pitch;
    view.yaw = c.yaw;
    overlay.draw(view);
    ASSERT_EQ(hook.draws.size(), 2u);
    for (const RecordingHook::Draw& draw : hook.draws) {
      EXPECT_TRUE(draw.state.frontEnd);
      EXPECT_FLOAT_EQ(at(draw.state, 0), 320.f);
      EXPECT_FLOAT_EQ(at(draw.state, 1), 240.f);
      for (i32 row = 0; row < 3; ++row) {
        EXPECT_NEAR(draw.state.transform(row, 0), c.xAxis[row], 1e-5f) << draw.batch << c.pitch << "," << c.yaw;
        EXPECT_NEAR(draw.state.transform(row, 1), c.yAxis[row], 1e-5f) << draw.batch << c.pitch << "," << c.yaw;
      }
    }
    EXPECT_EQ(drawsOf("cursor").size(), 1u);
    EXPECT_EQ(drawsOf("ring").size(), 1u);
  }
}

// The cursor's animation runs at the frame counter: at frame f it stands f
// units off the ring along the compass's turned x axis.
TEST_F(FieldOverlayTest, TheCursorIsAnimatedAtTheFrameCounter) {
  for (const i32 frame : {0, 12, 250}) {
    hook.draws.clear();
    FieldOverlayView view;
    view.frame = frame;
    view.yaw = 0.f;
    view.pitch = 90.f;
    overlay.draw(view);
    const Game::RenderState& cursor = drawsOf("cursor").at(0)->state;
    EXPECT_NEAR(at(cursor, 0), 320.f, 1e-3f) << frame;
    EXPECT_NEAR(at(cursor, 1), 240.f - static_cast<float>(frame), 1e-3f) << frame;
  }
}

// The number and "階" in font 2, grey, from (−320, 240), framed; floor 0
// shows neither.
TEST_F(FieldOverlayTest, TheFloorNumberIsFramedInTheTopLeftCorner) {
  const struct {
    i32 floor;
    const char* text;
  } cases[] = {{3, "3階"}, {12, "12階"}, {-2, "-2階"}, {0, ""}};
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  for (const auto& c : cases) {
    hook.draws.clear();
    writer.setPosition(0, 0);
    writer.print("");
    FieldOverlayView view;
    view.floorNumber = c.floor;
    overlay.draw(view);
    EXPECT_STREQ(writer.lastText().c_str() ? writer.lastText().c_str() : "", c.text) << c.floor;
    EXPECT_EQ(drawsOf("f0").size(), c.floor != 0 ? 1u : 0u) << c.floor;
    if (c.floor == 0) continue;
    EXPECT_EQ(writer.font(), 2);
    EXPECT_EQ(writer.color(), 0xFFC0C0C0u);
    i32 x = 0;
    i32 y = 0;
    writer.getOrigin(&x, &y);
    EXPECT_EQ(x, -320);
    EXPECT_EQ(y, 240);
    EXPECT_FLOAT_EQ(at(drawsOf("f0")[0]->state, 0), -320.f);
    EXPECT_FLOAT_EQ(at(drawsOf("f0")[0]->state, 1), 240.f);
  }
}

// One room of 11 x 8 cells, all mapped: the player's cell is the map's
// centre, the stairs' cell 12 units a cell away, turned by −90 − yaw.
TEST_F(FieldOverlayTest, TheAutomapCentresOnThePlayerUnlessHeldOrHandMade) {
  auto floor = generate("size 11,8;roomMin 2;roomMax 9;separatorProbability 0;startPosition 1;階段 上,2;", 3);
  std::vector<Engine::u8> mapped(static_cast<std::size_t>(floor->width() * floor->height()), 1);
  FieldOverlayView view;
  view.generator = floor.get();
  view.mappedCells = &mapped;
  view.hasPlayer = true;
  ASSERT_TRUE(floor->findEvent(1, &view.playerX, &view.playerY));
  ASSERT_TRUE(floor->findEvent(2, &view.stairsX, &view.stairsY));
  const float dx = static_cast<float>(view.stairsX - view.playerX) * 12.f;
  const float dy = static_cast<float>(view.stairsY - view.playerY) * 12.f;
  const struct {
    float yaw;
    bool held, handMade, noPlayer;
    float stairsX, stairsY;
  } cases[] = {{-90.f, false, false, false, dx, dy},  {0.f, false, false, false, dy, -dx},
               {90.f, false, false, false, -dx, -dy}, {-90.f, true, false, false, 0, 0},
               {-90.f, false, true, false, 0, 0},     {-90.f, false, false, true, 0, 0}};
  for (const auto& c : cases) {
    hook.draws.clear();
    FieldOverlayView v = view;
    v.yaw = c.yaw;
    v.mapHeld = c.held;
    v.generator = c.handMade ? nullptr : floor.get();
    v.hasPlayer = !c.noPlayer;
    overlay.draw(v);
    const auto cells = drawsOf("cell");
    if (c.held || c.handMade || c.noPlayer) {
      EXPECT_TRUE(cells.empty()) << c.held << c.handMade << c.noPlayer;
      continue;
    }
    EXPECT_GT(cells.size(), 20u);
    std::vector<std::pair<float, float>> marked;
    for (const auto* cell : cells) {
      if (cell->state.colors.ambient.y == 0.f) marked.emplace_back(at(cell->state, 0), at(cell->state, 1));
    }
    ASSERT_EQ(marked.size(), 2u) << c.yaw;
    std::sort(marked.begin(), marked.end(), [](auto a, auto b) { return a.first * a.first + a.second * a.second <
                                                                          b.first * b.first + b.second * b.second; });
    EXPECT_NEAR(marked[0].first, 0.f, 1e-3f);
    EXPECT_NEAR(marked[0].second, 0.f, 1e-3f);
    EXPECT_NEAR(marked[1].first, c.stairsX, 1e-3f) << c.yaw;
    EXPECT_NEAR(marked[1].second, c.stairsY, 1e-3f) << c.yaw;
  }
}

class FieldSpotLightTest : public FieldTestSupport::FieldTest {
 protected:
  void SetUp() override {
    FieldTest::SetUp();
    if (!Game::SceneRenderer::instance()) {
      Game::SceneRenderer::create(800, 600);
      mOwnRenderer = true;
    }
  }
  void TearDown() override {
    if (mOwnRenderer) Game::SceneRenderer::destroy();
    FieldTest::TearDown();
  }
  static Game::MapSiteData site(bool spot) {
    Game::NmlDocument document;
    document.loadFromText("list.txt", spot ? "name a;folder a;start b1,1;encounter{none;}save memory;BGM x;spotLight true;"
                                           : "name a;folder a;start b1,1;encounter{none;}save memory;BGM x;");
    Game::MapSiteData data;
    data.read(document, "list.txt");
    return data;
  }
  bool mOwnRenderer = false;
};

// White, range 0.5, 32 units over the player; nothing without the site's
// wish or a player.
TEST_F(FieldSpotLightTest, TheLightHangsOverThePlayerWhereTheSiteAsks) {
  const Game::Field::Symbol& player = place("player", 2, 1);
  const Game::MapSiteData lit = site(true);
  const Game::MapSiteData dark = site(false);
  const struct {
    const Game::MapSiteData* site;
    const Game::Field::Symbol* player;
    bool placed;
  } cases[] = {{&lit, &player, true}, {&dark, &player, false}, {&lit, nullptr, false}, {nullptr, &player, false}};
  for (const auto& c : cases) {
    Game::Light& light = Game::SceneRenderer::instance()->pointLight();
    light.setPosition({0.f, 0.f, 0.f});
    light.setColor({0.f, 0.f, 0.f});
    light.setRange(0.f);
    Game::placeFieldSpotLight(c.site, c.player);
    Engine::Math::Vector3 at = light.position;
    at *= 400.f;
    EXPECT_NEAR(at.x, c.placed ? player.position().x : 0.f, 1e-3f);
    EXPECT_NEAR(at.y, c.placed ? player.position().y : 0.f, 1e-3f);
    EXPECT_NEAR(at.z, c.placed ? player.position().z + 32.f : 0.f, 1e-3f);
    EXPECT_FLOAT_EQ(light.color.x + light.color.y + light.color.z, c.placed ? 3.f : 0.f);
    EXPECT_FLOAT_EQ(light.requestedRange, c.placed ? 0.5f : 0.f);
  }
}

}  // namespace
