// What widgets draw, as the draw hook and the text writer see it, over small
// system pictures: a 32-unit rectangle and a cancel sound.

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "Engine/Sound/WaveBytes.h"
#include "Engine/Threading/Sleep.h"
#include "core/sound/SoundEffect.h"
#include "core/sound/SoundEffectManager.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/KeyScript.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/TextGrid.h"

namespace {

using Engine::i32;
using Game::ListMenu;

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
    for (const char* file : {"wall", "cursor", "frame", "gauge", "number"}) {
      fs().put(std::string("src/system/") + file + ".txt", "");
    }
    fs().put("src/system/rect.txt", "batch{name rect;rect 0,0,32,32;}");
    fs().put("src/system/systemsound.txt", "src/system{ cursorCancel cancel; }");
    fs().put("src/system/cancel.wav", SoundTest::WaveBytes(1, 44100, 16).data16(std::vector<std::int16_t>(400, 99)).bytes);
    Engine::Sound::Manager::create();
    Game::SoundEffectManager::create();
    Game::SoundEffect::setGlobalVolume(0);
    Game::SceneRenderer::create(800, 600);
    Game::SystemResources::create();
    // The loader job reads the wave on its own thread.
    for (int i = 0; i < 1000000 && !Game::SystemResources::instance()->sounds().allReady(); ++i) {
      Engine::Threading::sleep(1);
    }
    ASSERT_TRUE(Game::SystemResources::instance()->sounds().allReady());
  }
  void TearDown() override {
    Game::SystemResources::destroy();
    Game::SceneRenderer::destroy();
    Game::SoundEffectManager::destroy();
    Engine::Sound::Manager::destroy();
    KeysOver::TearDown();
  }

  // The track and the thumb of a second draw, once the cursor is in view:
  // the thumb's drop below the track's top and its length.
  std::pair<float, float> thumb(ListMenu& menu) {
    menu.draw(true);
    hook.draws.clear();
    menu.draw(true);
    EXPECT_EQ(hook.draws.size(), 2u);
    if (hook.draws.size() != 2u) return {0.f, 0.f};
    const Game::RenderState& track = hook.draws[0].state;
    const Game::RenderState& bar = hook.draws[1].state;
    EXPECT_FLOAT_EQ(track.transform(1, 1) * 32.f, menu.height());
    EXPECT_FLOAT_EQ(bar.transform(0, 3), track.transform(0, 3));
    return {(track.transform(1, 3) - bar.transform(1, 3)) * 400.f, bar.transform(1, 1) * 32.f};
  }
};

// The thumb covers scroll / content to (scroll + height) / content of the
// track, cut at the track's end.
TEST_F(WidgetDrawTest, TheScrollThumbShowsTheViewAndStaysOnItsTrack) {
  ListMenu menu;
  for (int i = 0; i < 10; ++i) menu.addItem("row", i, 0xFFC0C0C0, 1);  // 20 high: 200 in all
  menu.setVisibleRows(3);
  menu.setCursorById(9);
  // Scrolled by 140 of 200: from 0.7 to 1.0 of a 60-unit track.
  auto [drop, length] = thumb(menu);
  EXPECT_NEAR(drop, 42.f, 1e-3f);
  EXPECT_NEAR(length, 18.f, 1e-3f);
  menu.setCursorById(0);
  std::tie(drop, length) = thumb(menu);
  EXPECT_NEAR(drop, 0.f, 1e-3f);
  EXPECT_NEAR(length, 18.f, 1e-3f);

  // Rows 10.5 high count 31 of content (31.5 cut); scrolled by 21 the view
  // reaches 31.5: the thumb from 21/31 stops at the end of the 10.5 track.
  ListMenu fractional;
  for (int i = 0; i < 3; ++i) fractional.setItemId(fractional.addEntry(new Row(10.5f), true), i);
  fractional.setVisibleRows(1);
  fractional.setCursorById(2);
  std::tie(drop, length) = thumb(fractional);
  EXPECT_FLOAT_EQ(fractional.scroll(), 21.f);
  EXPECT_NEAR(drop, 10.5f * 21.f / 31.f, 1e-3f);
  EXPECT_NEAR(drop + length, 10.5f, 1e-3f);
}

TEST_F(WidgetDrawTest, APictureDrawsAtItsPlaceOffsetByItsParents) {
  load("model{name icon;batch{name b;rect 0,0,2,2;}}");
  Game::Widget::Text row;
  Game::Widget::Picture* picture = row.addPicture(&model("icon"), Game::RenderState());
  picture->x = 10.f;
  picture->y = -20.f;
  row.x = 1.f;
  row.y = 2.f;
  row.drawTree(100.f, 50.f);
  ASSERT_EQ(hook.draws.size(), 1u);
  const Game::RenderState& state = hook.draws[0].state;
  EXPECT_NEAR(state.transform(0, 3) * 400.f, 111.f, 1e-3f);
  EXPECT_NEAR(state.transform(1, 3) * 400.f, 32.f, 1e-3f);
  EXPECT_TRUE(state.frontEnd);
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
  i32 x = 0;
  i32 y = 0;
  writer.getOrigin(&x, &y);
  EXPECT_EQ(x, 140);
  EXPECT_EQ(y, 24);
  EXPECT_STREQ(writer.lastText().c_str(), "last");
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
