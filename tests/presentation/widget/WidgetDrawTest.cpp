// What widgets draw, as the draw hook and the text writer see it, over small
// system pictures: a 32-unit rectangle and a cancel sound.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Engine/Sound/WaveBytes.h"
#include "core/sound/SoundEffect.h"
#include "core/sound/SoundEffectManager.h"
#include "presentation/Near.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/KeyScript.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/RingMenu.h"
#include "presentation/widget/TextGrid.h"
#include "Services.h"
#include "tests/Await.h"

namespace {

using Engine::i32;
using Game::ListMenu;
using Platform::Key;

// A row of any height, drawing nothing.
class Row : public Game::Widget::Widget {
 public:
  explicit Row(float h) { height = h; }
  bool isDecided() override { return false; }
  void draw(float, float, Engine::u8) override {}
};

class WidgetDrawTest : public WidgetTest::KeysOver<ModelTestSupport::ModelTest> {
 protected:
  void SetUp() override {
    KeysOver::SetUp();
    for (const char* file : {"wall", "frame", "gauge", "number"}) {
      fs().put(std::string("src/system/") + file + ".txt", "");
    }
    fs().put("src/system/rect.txt", "batch{name rect;rect 0,0,32,32;}");
    fs().put("src/system/cursor.txt", "batch{name cursor;rect 0,0,32,32;}");
    fs().put("src/system/systemsound.txt", "src/system{ cursorCancel cancel; }");
    fs().put("src/system/cancel.wav", SoundTest::WaveBytes(1, 44100, 16).data16(std::vector<std::int16_t>(400, 99)).bytes);
    mServices.emplace(TestServices::kRenderer | TestServices::kSound);
    Game::SoundEffect::setGlobalVolume(0);
    Game::SystemResources::create();
    // The loader job reads the wave on its own thread.
    ASSERT_TRUE(TestAwait::awaitTrue([] { return Game::SystemResources::instance()->sounds().allReady(); }));
  }
  void TearDown() override {
    Game::SystemResources::destroy();
    mServices.reset();
    KeysOver::TearDown();
  }

  // The track and the thumb of a second draw, once the cursor is in view:
  // "drop,length": the thumb's drop below the track's top and its length.
  std::string thumb(ListMenu& menu) {
    menu.draw(true);
    hook.draws.clear();
    menu.draw(true);
    std::erase_if(hook.draws, [](const auto& draw) { return draw.batch != "rect"; });
    EXPECT_EQ(hook.draws.size(), 2u);
    if (hook.draws.size() != 2u) return "";
    const Game::RenderState& track = hook.draws[0].state;
    const Game::RenderState& bar = hook.draws[1].state;
    EXPECT_FLOAT_EQ(track.transform(1, 1) * 32.f, menu.height());
    EXPECT_FLOAT_EQ(bar.transform(0, 3), track.transform(0, 3));
    return PresentationTest::digits((track.transform(1, 3) - bar.transform(1, 3)) * 400.f) + "," +
           PresentationTest::digits(bar.transform(1, 1) * 32.f);
  }

  std::optional<TestServices::Scoped> mServices;
};

// The thumb covers scroll / content to (scroll + height) / content of the
// track, cut at the track's end.
TEST_F(WidgetDrawTest, TheScrollThumbShowsTheViewAndStaysOnItsTrack) {
  ListMenu menu;
  for (int i = 0; i < 10; ++i) menu.addItem("row", i, 0xFFC0C0C0, 1);  // 20 high: 200 in all
  menu.setVisibleRows(3);
  menu.setCursorById(9);
  // Scrolled by 140 of 200: from 0.7 to 1.0 of a 60-unit track.
  EXPECT_EQ(thumb(menu), "42,18");
  // The last row drawn, row 9, 180 down and 140 of it scrolled away.
  i32 x = 0, y = 0;
  Game::SceneRenderer::instance()->textWriter().getOrigin(&x, &y);
  EXPECT_NEAR(static_cast<float>(y), menu.contentTop() - 40.f, 1.f);
  menu.setCursorById(0);
  EXPECT_EQ(thumb(menu), "0,18");

  // Rows 10.5 high count 31 of content (31.5 cut); scrolled by 21 the view
  // reaches 31.5: the thumb from 21/31 (10.5 x 21 / 31 = 7.113 down) stops
  // at the end of the 10.5 track.
  ListMenu fractional;
  for (int i = 0; i < 3; ++i) fractional.setItemId(fractional.addEntry(new Row(10.5f), true), i);
  fractional.setVisibleRows(1);
  fractional.setCursorById(2);
  EXPECT_EQ(thumb(fractional), "7.113,3.387");
  EXPECT_FLOAT_EQ(fractional.scroll(), 21.f);
}

TEST_F(WidgetDrawTest, PicturesAndTextsDrawAtTheirPlaceOffsetByTheirParents) {
  load("model{name icon;batch{name b;rect 0,0,2,2;}}");
  Game::Widget::Text row;
  Game::Widget::Picture* picture = row.addPicture(&model("icon"), Game::RenderState());
  picture->x = 10.f;
  picture->y = -20.f;
  auto* label = new Game::Widget::Text();
  label->set("ab", 0xFFFFFFFF, 1);
  label->x = 20.f;
  label->y = -30.f;
  row.children.pushBack(label);
  row.x = 1.f;
  row.y = 2.f;
  row.drawTree(100.f, 50.f);
  ASSERT_EQ(hook.draws.size(), 1u);
  const Game::RenderState& state = hook.draws[0].state;
  EXPECT_NEAR(state.transform(0, 3) * 400.f, 111.f, 1e-3f);
  EXPECT_NEAR(state.transform(1, 3) * 400.f, 32.f, 1e-3f);
  EXPECT_TRUE(state.frontEnd);
  i32 x = 0, y = 0;
  Game::SceneRenderer::instance()->textWriter().getOrigin(&x, &y);
  EXPECT_EQ(std::pair(x, y), std::pair(121, 22));
}

// Rows go down the screen and columns to the right, from the given corner,
// each cell at whole units.
TEST_F(WidgetDrawTest, TextGridRowsRunDownward) {
  Game::TextGrid grid;
  grid.resize(2, 2);
  grid.cell(0, 0).text.assign("abcd");  // 40 wide in font 1
  grid.cell(0, 1).font = 2;
  grid.cell(0, 1).text.assign("x");  // 26 high
  grid.cell(1, 1).text.assign("last");
  grid.layout();
  grid.draw(100.7f, 50.7f);
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  i32 x = 0, y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(x, 140);
  EXPECT_EQ(y, 24);
  EXPECT_STREQ(writer.lastText().c_str(), "last");
}

// The cursor points at its item's corner, gliding half the way a draw; marks
// of a multiple choice blink, two draws on and two off, 4 units left of it.
TEST_F(WidgetDrawTest, TheCursorGlidesToItsItemAndMarksBlinkBesideTheirs) {
  ListMenu menu;
  for (int i = 0; i < 3; ++i) menu.addItem("item0", i, 0xFFC0C0C0, 1);  // 50 x 60 in all
  menu.setPosition(0.f, 0.f);
  menu.setMaxChoices(3);
  for (int i = 0; i < 8; ++i) menu.draw(true);
  step({kDecide});
  menu.draw(true);  // the 9th
  menu.update();
  ASSERT_EQ(menu.chosen().size(), 1u);
  step({Key::Down});
  const auto cursorDraws = [&] {
    hook.draws.clear();
    menu.draw(true);
    std::vector<std::pair<float, float>> at;
    for (const auto& draw : hook.draws) {
      // To hundredths of a unit: the matrix holds units / 400.
      const auto units = [&](int row) { return std::round(draw.state.transform(row, 3) * 40000.f) / 100.f; };
      if (draw.batch == "cursor") at.emplace_back(units(0), units(1));
      EXPECT_NEAR(draw.state.transform(2, 3) * 400.f, draw.batch == "cursor" ? 510.f : 490.f, 1e-3f);
    }
    return at;
  };
  using At = std::vector<std::pair<float, float>>;
  EXPECT_EQ(cursorDraws(), (At{{-29.f, 30.f}, {-25.f, 30.f}}));  // the 10th draw
  menu.update();
  EXPECT_EQ(menu.cursor(), 1);
  EXPECT_EQ(cursorDraws(), (At{{-29.f, 30.f}, {-25.f, 20.f}}));
  EXPECT_EQ(cursorDraws(), (At{{-25.f, 15.f}}));
  EXPECT_EQ(cursorDraws(), (At{{-25.f, 12.5f}}));
  EXPECT_EQ(cursorDraws(), (At{{-29.f, 30.f}, {-25.f, 11.25f}}));
}

// A menu on a world point sits where the point is projected.
TEST_F(WidgetDrawTest, AWorldAnchoredMenuFollowsTheProjection) {
  Game::SceneRenderer::instance()->beginFrame();
  const Engine::Math::Vector3 point(300.f, -200.f, 100.f);
  Engine::Math::Vector3 projected;
  Game::SceneRenderer::instance()->project(&projected, point);
  ListMenu menu;
  menu.addItem("abcd", 0, 0xFFC0C0C0, 1);
  menu.setWorldAnchor(point);
  EXPECT_NEAR(menu.columnX(0.5f), projected.x, 1e-3f);
  EXPECT_NEAR(menu.rowY(0.5f), projected.y, 1e-3f);
  EXPECT_NEAR(menu.columnX(0.f), projected.x - 20.f, 1e-3f);
}

// Item k of n stands at 360 k / n degrees plus the ring's turn, the radius
// up from the centre turned with it: the cursor's item at the top.
TEST_F(WidgetDrawTest, RingItemsStandOnTheCircleWithTheCursorsOnTop) {
  load("model{name icon;batch{name b;rect 0,0,2,2;}}");
  Game::RingMenu ring(10.f, 100.f);
  for (int id = 0; id < 4; ++id) ring.addItem(id, &model("icon"));
  ring.setCursor(1);
  ring.finishOpening();
  ring.draw(Game::RenderState(), 0.f);
  Game::RingMenu single(10.f, 100.f);
  single.addItem(9, &model("icon"));
  single.finishOpening();
  single.draw(Game::RenderState(), 0.f);
  ASSERT_EQ(hook.draws.size(), 5u);
  EXPECT_NEAR(hook.draws[4].state.transform(1, 3) * 400.f, 100.f, 1e-3f) << "a single item on top";
  hook.draws.pop_back();
  const float expected[4][2] = {{100.f, 0.f}, {0.f, 100.f}, {-100.f, 0.f}, {0.f, -100.f}};
  ASSERT_EQ(hook.draws.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    const Game::RenderState& state = hook.draws[static_cast<std::size_t>(k)].state;
    EXPECT_NEAR(state.transform(0, 3) * 400.f, expected[k][0], 1e-3f) << k;
    EXPECT_NEAR(state.transform(1, 3) * 400.f, expected[k][1], 1e-3f) << k;
    EXPECT_TRUE(state.frontEnd);
  }
}

// Heard at the first sound update after the press, also where the form
// does not let a cancel answer.
TEST_F(WidgetDrawTest, TheCancelSoundPlaysAtOnceEvenWhenAYesNoIgnoresIt) {
  ListMenu menu;
  menu.setupYesNo("Continue?", nullptr, nullptr, false);
  for (int i = 0; i <= ListMenu::kInputDelay; ++i) menu.draw(true);
  const i32 requests = Game::SystemResources::instance()->soundRequests();
  step({kCancel});
  EXPECT_EQ(menu.updateYesNo(), 0);
  EXPECT_EQ(Game::SystemResources::instance()->soundRequests(), requests + 1);
  Game::SoundEffectManager::instance()->update();
  EXPECT_EQ(backend->fakeAudioOutput.pull(1)[0], 99);
}

}  // namespace
