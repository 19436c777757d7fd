#include "menu/TitleScene.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "Engine/Graphics/Manager.h"
#include "Engine/Input/Manager.h"
#include "Input/src/ManagerImpl.h"
#include "core/game/GameData.h"
#include "core/game/SaveSlot.h"
#include "core/game/SaveSlotList.h"
#include "core/input/KeyInput.h"
#include "core/game/SaveSlotMenu.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/ListMenu.h"
#include "tests/core/game/GameFixture.h"

namespace {

using Game::TitleScene;
using Platform::Key;

class TitleSceneTest : public GameTestSupport::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    Game::KeyInput::setDefaultBindings();
    Engine::Input::Manager::create();
    // The title's models build their meshes on the (fake) device.
    Engine::Graphics::Manager::create(800, 600, false, true, false);
    Game::SceneRenderer::create(800, 600);
    Game::SaveSlotList::forgetCursor();
    input({});
    // The sample title models and backdrop, as the build converted them.
    for (const char* file : {TitleScene::kResourceFile, TitleScene::kSceneFile, "src/picture/title/backdrop.txt"}) {
      std::ifstream in(std::string(MARROWDEEP_GAME_DIR) + "/" + file, std::ios::binary | std::ios::ate);
      std::string text(in ? static_cast<std::size_t>(in.tellg()) : 0u, '\0');
      in.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
      ASSERT_FALSE(text.empty()) << file;
      fs().put(file, text);
    }
  }
  void TearDown() override {
    mTitle.reset();
    Game::SceneRenderer::destroy();
    Engine::Graphics::Manager::destroy();
    Engine::Input::Manager::destroy();
    GameTest::TearDown();
  }

  TitleScene& open(bool memorySave = false) {
    mTitle = std::make_unique<TitleScene>(memorySave);
    return *mTitle;
  }
  // One frame with the keys held (all others released); the title's result.
  int frame(std::initializer_list<Key> held = {}) {
    input(held);
    return mTitle->update();
  }
  // One logic step of the keys alone.
  void input(std::initializer_list<Key> held) {
    for (Key key : mHeld) backend->fakeKeyboard.release(key);
    mHeld.assign(held.begin(), held.end());
    for (Key key : mHeld) backend->fakeKeyboard.press(key);
    Engine::Input::ManagerImpl::instance()->update({}, true, 0);
    Game::KeyInput::updateJoystick();
  }
  // A press of one frame and a release; the first non-zero result.
  int press(Key key) {
    const int result = frame({key});
    if (result != 0) {
      input({});  // the title has finished: release without running it
      return result;
    }
    return frame();
  }
  // The ring shown and open for input.
  void showRing() {
    press(Key::X);
    for (int i = 0; i < 30; ++i) frame();
  }
  int choose(TitleScene::Item item) {
    showRing();
    EXPECT_LE(mTitle->ring().openingFramesLeft(), 0);
    for (int i = 0; i < 5 && mTitle->selectedItem() != item; ++i) press(Key::Right);
    EXPECT_EQ(mTitle->selectedItem(), item);
    return press(Key::X);
  }
  void saveGameIn(int slot) {
    Game::GameData game;
    ASSERT_TRUE(Game::SaveSlot::save(game, slot));
  }

  std::unique_ptr<TitleScene> mTitle;
  std::vector<Key> mHeld;
};

TEST_F(TitleSceneTest, WithoutInputTheRingOpensAtFrame193) {
  TitleScene& title = open();
  EXPECT_EQ(title.nodes().activeCount(), 128);
  EXPECT_EQ(title.scene().entries().count(), 2);  // the backdrop's sky and hill
  for (int i = 0; i < 192; ++i) frame();
  EXPECT_FALSE(title.isMenuShown());
  frame();
  EXPECT_TRUE(title.isMenuShown());
  EXPECT_EQ(title.frame(), 193);
  EXPECT_EQ(title.ring().openingFramesLeft(), 30);
}

TEST_F(TitleSceneTest, DecideShowsTheRingAtOnceAndJumpsToFrame192) {
  TitleScene& title = open();
  for (int i = 0; i < 10; ++i) frame();
  frame({Key::X});
  EXPECT_TRUE(title.isMenuShown());
  EXPECT_EQ(title.frame(), 192);
  // The press that showed the ring does not decide it, nor does the opening.
  for (int i = 0; i < 29; ++i) EXPECT_EQ(frame({Key::X}), 0);
  EXPECT_EQ(title.frame(), 221);
}

TEST_F(TitleSceneTest, StarsStartAtStaggeredTimesWithinTheScreen) {
  TitleScene& title = open();
  const Game::SceneNodePool& stars = title.nodes();
  for (int i = 0; i < TitleScene::kStarCount; ++i) {
    const Game::SceneNode& star = stars.node(i);
    EXPECT_EQ(star.getTime(), static_cast<float>(i));
    EXPECT_LT(std::abs(star.position.x.value()), 400.f);
    EXPECT_LT(std::abs(star.position.y.value() - 50.f), 275.f);
    EXPECT_EQ(star.position.z.value(), 0.f);
    EXPECT_TRUE(star.baseState.frontEnd);
  }
  frame();
  EXPECT_EQ(stars.node(5).getTime(), 6.f);
  EXPECT_TRUE(stars.node(5).worldState().frontEnd);
}

struct RingCase {
  bool memorySave;
  bool saveFile;
  int items;
  TitleScene::Item cursor;
};

TEST_F(TitleSceneTest, RingItemsAndWhereTheCursorStarts) {
  const RingCase cases[] = {
      {false, false, 4, TitleScene::kStart},
      {false, true, 4, TitleScene::kLoad},
      {true, false, 5, TitleScene::kMemoryLoad},
      {true, true, 5, TitleScene::kMemoryLoad},
  };
  for (const RingCase& c : cases) {
    if (c.saveFile) {
      saveGameIn(7);
    } else {
      fs().remove(Game::SaveSlot::path(7).c_str());
    }
    TitleScene& title = open(c.memorySave);
    EXPECT_EQ(title.ring().itemCount(), c.items);
    EXPECT_EQ(title.selectedItem(), c.cursor);
    EXPECT_EQ(title.ring().findItem(TitleScene::kMemoryLoad) != nullptr, c.memorySave);
    for (int id = 0; id < 5; ++id) {
      if (const Game::RingMenu::Item* item = title.ring().findItem(id)) {
        EXPECT_NE(item->model, nullptr) << id;  // the sample data has every item's model
      }
    }
  }
}

TEST_F(TitleSceneTest, StartHandsOverANewGameAndMemoryLoadNone) {
  open();
  EXPECT_EQ(choose(TitleScene::kStart), 1);
  std::unique_ptr<Game::GameData> game(mTitle->takeGame());
  EXPECT_TRUE(game);
  open(true);
  EXPECT_EQ(choose(TitleScene::kMemoryLoad), 1);
  EXPECT_EQ(mTitle->takeGame(), nullptr);
  open();
  EXPECT_EQ(choose(TitleScene::kQuit), 2);
}

TEST_F(TitleSceneTest, ConfigOpensAndClosesBackToTheRing) {
  open();
  EXPECT_EQ(choose(TitleScene::kConfig), 0);
  ASSERT_TRUE(mTitle->isConfigOpen());
  // The settings menu's first row leaves.
  EXPECT_EQ(press(Key::X), 0);
  EXPECT_FALSE(mTitle->isConfigOpen());
  EXPECT_EQ(mTitle->selectedItem(), TitleScene::kConfig);
}

TEST_F(TitleSceneTest, TheLoadMenuReadsASavedSlot) {
  saveGameIn(3);
  open();
  EXPECT_EQ(choose(TitleScene::kLoad), 0);
  ASSERT_TRUE(mTitle->isLoadOpen());
  EXPECT_EQ(mTitle->loadMenu()->menu().itemCount(), 24);
  int result = 0;
  for (int i = 0; i < 10 && result == 0; ++i) result = press(Key::X);
  EXPECT_EQ(result, 1);
  std::unique_ptr<Game::GameData> game(mTitle->takeGame());
  EXPECT_TRUE(game);
}

// A file that is there but does not read never reaches the game flow as "no
// game" (which it would take for the memory save): the list stays open.
TEST_F(TitleSceneTest, ADamagedSlotKeepsTheLoadMenuOpen) {
  fs().put(Game::SaveSlot::path(0).c_str(), "not a save");
  open();
  EXPECT_EQ(choose(TitleScene::kLoad), 0);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(press(Key::X), 0);
  }
  EXPECT_TRUE(mTitle->isLoadOpen());
  EXPECT_EQ(mTitle->takeGame(), nullptr);
  // Cancel closes the list and the ring is back.
  for (int i = 0; i < 40 && mTitle->isLoadOpen(); ++i) {
    press(mTitle->loadMenu()->isShowingMessage() ? Key::X : Key::Z);
  }
  EXPECT_FALSE(mTitle->isLoadOpen());
}

TEST_F(TitleSceneTest, KeysTwoSixAndTwelveOpenTheMusicListEvenBeforeTheRing) {
  TitleScene& title = open();
  frame({Key::Down, Key::Z});
  EXPECT_EQ(title.musicList(), nullptr);
  frame({Key::Down, Key::Z, Key::S});
  ASSERT_NE(title.musicList(), nullptr);
  EXPECT_FALSE(title.isMenuShown());
  // Cancel closes it once the list takes input.
  for (int i = 0; i < 10 && title.musicList(); ++i) {
    frame({Key::Z});
    frame();
  }
  EXPECT_EQ(title.musicList(), nullptr);
}

}  // namespace
