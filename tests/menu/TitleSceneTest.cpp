#include "menu/TitleScene.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "tests/Services.h"
#include "running/game/GameData.h"
#include "running/game/SaveSlot.h"
#include "running/game/SaveSlotList.h"
#include "running/game/SaveSlotMenu.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/widget/KeyScript.h"
#include "tests/running/game/GameFixture.h"
#include "tests/running/game/GameHelpers.h"

namespace {

using Game::TitleScene;
using Platform::Key;

// The title's models build their meshes on the (fake) device.
class TitleSceneTest : public TestServices::Test<TestServices::kGraphics | TestServices::kRenderer,
                                                 WidgetTest::KeysOver<GameTestSupport::GameTest>> {
 protected:
  void SetUp() override {
    Test::SetUp();
    Game::SaveSlotList::forgetCursor();
    GameTestSupport::putSampleFiles(fs(), "src/picture/title");
  }
  void TearDown() override {
    mTitle.reset();
    // The load menu remembers its slot across games; later tests save to slot 0.
    Game::SaveSlotList::forgetCursor();
    Test::TearDown();
  }

  TitleScene& open(bool memorySave = false) {
    mTitle = std::make_unique<TitleScene>(memorySave);
    return *mTitle;
  }
  // One frame with the keys held (all others released); the title's result.
  int frame(std::initializer_list<Key> held = {}) {
    step(held);
    return mTitle->update();
  }
  // A press of one frame and a release; the first non-zero result.
  int press(Key key) {
    if (const int result = frame({key})) {
      step();  // the title has finished: release without running it
      return result;
    }
    return frame();
  }
  void showRing() {
    press(Key::X);
    for (int i = 0; i < 30; ++i) frame();
    EXPECT_LE(mTitle->ring().openingFramesLeft(), 0);
  }
  int choose(TitleScene::Item item, bool memorySave = false) {
    open(memorySave);
    showRing();
    for (int i = 0; i < 5 && mTitle->selectedItem() != item; ++i) press(Key::Right);
    EXPECT_EQ(mTitle->selectedItem(), item);
    return press(Key::X);
  }
  static void saveGameIn(int slot) {
    Game::GameData game;
    ASSERT_TRUE(Game::SaveSlot::save(game, slot));
  }

  std::unique_ptr<TitleScene> mTitle;
};

// Stars start at staggered times within the screen; the ring opens by itself.
TEST_F(TitleSceneTest, WithoutInputTheRingOpensAtFrame193) {
  TitleScene& title = open();
  EXPECT_EQ(title.nodes().activeCount(), 128);
  for (int i = 0; i < TitleScene::kStarCount; ++i) {
    const Game::SceneNode& star = title.nodes().node(i);
    EXPECT_EQ(star.getTime(), static_cast<float>(i));
    EXPECT_LT(std::abs(star.position.x.value()), 400.f);
    EXPECT_LT(std::abs(star.position.y.value() - 50.f), 275.f);
    EXPECT_TRUE(star.baseState.frontEnd);
  }
  frame();
  EXPECT_EQ(title.nodes().node(5).getTime(), 6.f);
  for (int i = 1; i < 192; ++i) frame();
  EXPECT_FALSE(title.isMenuShown());
  frame();
  EXPECT_EQ(std::tuple(title.isMenuShown(), title.ring().openingFramesLeft()), std::tuple(true, 30));
  // Decide shows the ring at once, jumping to frame 192.
  open();
  for (int i = 0; i < 10; ++i) frame();
  frame({Key::X});
  EXPECT_EQ(std::tuple(mTitle->isMenuShown(), mTitle->frame()), std::tuple(true, 192));
  // The press that showed the ring does not decide it, nor does the opening.
  for (int i = 0; i < 29; ++i) EXPECT_EQ(frame({Key::X}), 0);
  EXPECT_EQ(mTitle->frame(), 221);
}

TEST_F(TitleSceneTest, RingItemsWhereTheCursorStartsAndOnePressTurnsTheRingOneItem) {
  const struct {
    bool memorySave, saveFile;
    int items;
    TitleScene::Item cursor;
  } cases[] = {
      {false, false, 4, TitleScene::kStart},
      {false, true, 4, TitleScene::kLoad},
      {true, true, 5, TitleScene::kMemoryLoad},
      {true, false, 5, TitleScene::kMemoryLoad},  // last: no save file is left
  };
  for (const auto& c : cases) {
    if (c.saveFile) saveGameIn(7);
    else fs().remove(Game::SaveSlot::path(7).c_str());
    TitleScene& title = open(c.memorySave);
    EXPECT_EQ(std::tuple(title.ring().itemCount(), title.selectedItem(),
                         title.ring().findItem(TitleScene::kMemoryLoad) != nullptr),
              std::tuple(c.items, c.cursor, c.memorySave));
    // Each item's plate once, unturned (square to the viewer), at every step of a spin.
    showRing();
    ModelTestSupport::RecordingHook hook;
    for (int i = 0; i < 16; ++i) frame({Key::Right});
    int plates = 0;
    for (const auto& [batch, state] : hook.draws) {
      const Engine::Math::Matrix34& m = state.transform;
      plates += batch.ends_with("Label") && std::abs(m(0, 0) + m(1, 1) + m(2, 2) - 3.f) < 1e-3f;
    }
    EXPECT_EQ(plates, 16 * c.items);
  }
  // One press turns the ring one item, however many frames short of the
  // repeat the key is held; the ids skip 2 (no memory save): 0 1 3 4.
  TitleScene& title = open();
  showRing();
  const std::tuple<Key, int, int> presses[] = {{Key::Right, 2, 1}, {Key::Right, 3, 3}, {Key::Left, 2, 1},
                                                {Key::Left, 1, 0}, {Key::Left, 2, 4}};
  for (const auto& [key, frames, item] : presses) {
    for (int i = 0; i < frames; ++i) frame({key});
    for (int i = 0; i < 20; ++i) frame();
    EXPECT_EQ(title.selectedItem(), item) << frames;
  }
}

// Start hands over a new game, memory load none; config opens and closes back to the ring.
TEST_F(TitleSceneTest, StartMemoryLoadQuitAndConfig) {
  EXPECT_EQ(choose(TitleScene::kStart), 1);
  EXPECT_NE(std::unique_ptr<Game::GameData>(mTitle->takeGame()), nullptr);
  EXPECT_EQ(choose(TitleScene::kMemoryLoad, true), 1);
  EXPECT_EQ(mTitle->takeGame(), nullptr);
  EXPECT_EQ(choose(TitleScene::kQuit), 2);
  EXPECT_EQ(choose(TitleScene::kConfig), 0);
  ASSERT_TRUE(mTitle->isConfigOpen());
  // The settings menu's first row leaves.
  EXPECT_EQ(press(Key::X), 0);
  EXPECT_EQ(std::tuple(mTitle->isConfigOpen(), mTitle->selectedItem()), std::tuple(false, TitleScene::kConfig));
}

// Saves whose floor cannot be read list as invalid beside the one that loads.
TEST_F(TitleSceneTest, TheLoadMenuReadsASavedSlotAndKeysTwoSixAndTwelveOpenTheMusicList) {
  saveGameIn(3);
  GameTestSupport::saveUnreadableFloors(fs(), 4);
  EXPECT_EQ(choose(TitleScene::kLoad), 0);
  ASSERT_TRUE(mTitle->isLoadOpen());
  GameTestSupport::expectUnreadableFloorsInvalid(mTitle->loadMenu()->list(), 4);
  int result = 0;
  for (int i = 0; i < 10 && result == 0; ++i) result = press(Key::X);
  EXPECT_EQ(result, 1);
  EXPECT_NE(std::unique_ptr<Game::GameData>(mTitle->takeGame()), nullptr);
  // Keys 2, 6 and 12 open the music list even before the ring.
  TitleScene& title = open();
  frame({Key::Down, Key::Z});
  EXPECT_EQ(title.musicList(), nullptr);
  frame({Key::Down, Key::Z, Key::S});
  ASSERT_NE(title.musicList(), nullptr);
  EXPECT_FALSE(title.isMenuShown());
  // Cancel closes it once the list takes input.
  for (int i = 0; i < 10 && title.musicList(); ++i) press(Key::Z);
  EXPECT_EQ(title.musicList(), nullptr);
}

}  // namespace
