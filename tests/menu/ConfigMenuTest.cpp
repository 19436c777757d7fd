#include "menu/ConfigMenu.h"

#include <optional>
#include <string>

#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "menu/KeyAssignMenu.h"
#include "presentation/widget/KeyScript.h"
#include "presentation/widget/Widget.h"
#include "tests/Services.h"
#include "tests/core/file/FileManagerFixture.h"

namespace {

using Game::Config;
using Game::ConfigMenu;
using Platform::Key;

// "保存" writes through the file manager.
class ConfigMenuTest
    : public TestServices::Test<TestServices::kRenderer, WidgetTest::KeysOver<FileTestSupport::FileManagerTest>> {
 protected:
  void SetUp() override {
    Test::SetUp();
    Config::targets() = {};  // no device to rebuild fonts on
    menu.emplace();
  }
  void TearDown() override {
    menu.reset();
    Config::targets() = {};
    Test::TearDown();
  }

  // One frame with the keys held; whether the menu closed.
  bool frame(std::initializer_list<Key> held = {}) {
    step(held);
    return menu->update();
  }
  // A press and a release, one frame each.
  bool press(Key key) {
    const bool closed = frame({key});
    return frame() || closed;
  }
  void moveTo(int row) {
    while (menu->cursor() != row) press(Key::Down);
  }
  int working(Config::SettingIndex index) { return menu->workingCopy().setting(index).value(); }
  static int current(Config::SettingIndex index) { return Config::instance().setting(index).value(); }
  std::string savedFile() {
    const auto bytes = fs().contents(Config::kFileName);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }

  static constexpr int kBgmVolumeRow = ConfigMenu::kFirstOption + 9;
  std::optional<ConfigMenu> menu;
};

TEST_F(ConfigMenuTest, LeavingWithoutSavingDropsTheChangesAndDefaultsWaitForSave) {
  moveTo(kBgmVolumeRow);
  EXPECT_STREQ(menu->label(kBgmVolumeRow), "BGMボリューム");
  frame({Key::Right});  // the frame of the change
  EXPECT_TRUE(menu->isChanged());
  EXPECT_STREQ(menu->label(ConfigMenu::kBack), "保存せずもどる");
  frame();
  EXPECT_EQ(working(Config::kBgmVolume), 4);
  moveTo(ConfigMenu::kBack);
  EXPECT_TRUE(press(kDecide));
  EXPECT_EQ(std::tuple(current(Config::kBgmVolume), savedFile()), std::tuple(3, ""));
  // Defaults wait for save, which writes the file.
  Config::instance().setting(Config::kBgmVolume).set(9);
  menu.emplace();
  moveTo(ConfigMenu::kDefault);
  EXPECT_FALSE(frame({kDecide}));
  EXPECT_FALSE(menu->isAssigningKeys());
  EXPECT_FALSE(frame());
  EXPECT_EQ(std::tuple(working(Config::kBgmVolume), current(Config::kBgmVolume), savedFile()), std::tuple(3, 9, ""));
  // Buttons show no value, nor does a row past the last.
  EXPECT_STREQ(menu->valueText(ConfigMenu::kDefault).c_str(), "");
  EXPECT_STREQ(menu->valueText(ConfigMenu::kRowCount).c_str(), "");

  moveTo(ConfigMenu::kSave);
  EXPECT_FALSE(press(kDecide));
  EXPECT_EQ(std::tuple(menu->isChanged(), std::string(menu->label(ConfigMenu::kBack)), current(Config::kBgmVolume)),
            std::tuple(false, "もどる", 3));
  Game::String text;
  Config().toText(text);
  EXPECT_EQ(savedFile(), text.c_str());
}

// Holding decide on "保存" writes once; walking onto a button with decide held does nothing.
TEST_F(ConfigMenuTest, ButtonsActOnTheFirstFrameOfAPressAndKeyAssignmentOpensChanged) {
  moveTo(ConfigMenu::kDefault);
  frame({kDecide});
  for (int i = 0; i < 40; ++i) EXPECT_FALSE(frame({kDecide, Key::Up}));
  EXPECT_EQ(std::tuple(menu->isChanged(), savedFile()), std::tuple(true, ""));
  frame();
  moveTo(ConfigMenu::kSave);
  frame({kDecide});
  EXPECT_FALSE(menu->isChanged());
  EXPECT_NE(savedFile(), "");
  fs().remove(Config::kFileName);
  for (int i = 0; i < 5; ++i) frame({kDecide});
  EXPECT_EQ(savedFile(), "");
  // Key assignment opens changed; cancel does not close it, as the pad's
  // buttons are being assigned: its back row does.
  frame();
  moveTo(ConfigMenu::kKeys);
  press(kDecide);
  ASSERT_TRUE(menu->isAssigningKeys());
  EXPECT_TRUE(menu->isChanged());
  for (int i = 0; i < 10; ++i) press(kCancel);
  EXPECT_TRUE(menu->isAssigningKeys());
  press(kDecide);
  EXPECT_FALSE(menu->isAssigningKeys());
}

// A save whose file cannot be put in place (the file manager's tests try the others) keeps
// the old file and says so until decide, without the "saved" sound; the next save plays it.
TEST_F(ConfigMenuTest, AFailedSaveKeepsTheOldFileAndSaysSoWithoutTheSavedSound) {
  static int sSounds = 0;
  sSounds = 0;
  Config::targets().playSavedSound = [] { ++sSounds; };
  moveTo(ConfigMenu::kSave);
  press(kDecide);
  const std::string old = savedFile();
  fs().failCommit(true);
  press(kDecide);
  fs().failCommit(false);
  EXPECT_EQ(std::tuple(menu->isShowingMessage(), sSounds, savedFile()), std::tuple(true, 1, old));
  press(kDecide);  // closes the message only
  press(kDecide);
  EXPECT_EQ(std::tuple(menu->isShowingMessage(), sSounds), std::tuple(false, 2));
}
// Values keep 10 units from the widest label (260).
static_assert(ConfigMenu::kValueColumn - 260.f >= 10.f);

// At 800x600 the values of rows 4 to 16 (from y 156 to 470; "フルスクリーン" the widest,
// 350 to 532) end 20 short of the notes, set in font 1 (140 by 20) on their rows' feet
// (row 4's from 162) inside the frame: strips of the two columns hold them.
TEST_F(ConfigMenuTest, TheCursorWrapsOverTheRowsAndValuesInsideTheirChoices) {
  press(Key::Up);
  // The fake has no joystick.
  EXPECT_EQ(std::tuple(menu->cursor(), std::string(menu->label(16)), std::string(menu->label(15))),
            std::tuple(16, "文字アンチエイリアス", "パッド（接続なし）"));
  press(Key::Down);
  EXPECT_EQ(menu->cursor(), 0);
  // Values wrap inside their choices and read as their row says.
  const struct {
    int row;
    Key key;
    int presses;
    int value;
    const char* text;
  } cases[] = {
      {4, Key::Right, 1, 1, "フルスクリーン"}, {4, Key::Right, 2, 0, "ウィンドウ"}, {7, Key::Left, 2, 3, "1280x960"},
      {6, Key::Right, 1, 1, "有効"},          {9, Key::Right, 1, 0, "無効"},
      {13, Key::Left, 4, 10, "10"},           {13, Key::Right, 8, 0, "0"},
  };
  Game::TextWriter& writer = Game::SceneRenderer::instance()->textWriter();
  Game::SceneRenderer::instance()->setFadeLevel(0);
  writer.setAuditing(true);
  for (const auto& c : cases) {
    menu.emplace();
    moveTo(c.row);
    for (int i = 0; i < c.presses; ++i) press(c.key);
    writer.beginFrame();
    writer.noteFrame(-52.f, 146.f, 204.f, 318.f, 0.f);  // values: 348 to 552, 154 to 472
    writer.noteFrame(142.f, 150.f, 186.f, 344.f, 10.f);  // notes inside 552 to 718, 160 to 484
    frame();
    EXPECT_EQ(writer.audit().strays(), std::vector<std::string>{}) << c.row;
    EXPECT_EQ(std::tuple(working(menu->option(c.row).setting), std::string(menu->valueText(c.row).c_str()),
                         menu->isChanged()),
              std::tuple(c.value, c.text, true))
        << c.row;
  }
}

// With a pad attached: the key rows take the first pad button held.
class KeyAssignPadTest : public TestServices::Test<TestServices::kRenderer, WidgetTest::KeyScript> {
 protected:
  void SetUp() override {
    Test::SetUp();
    attachPads(1);
    // The settings read the pad bindings in force, so they are made after the pad.
    config = Config();
    menu.emplace(config);
  }
  void TearDown() override {
    menu.reset();
    attachPads(0);  // the logical keys keep their joystick: leave none for the next test
    Test::TearDown();
  }
  void attachPads(std::size_t count) {
    Engine::Input::Manager::destroy();
    backend->fakeJoysticks.attached.resize(count);
    Engine::Input::Manager::create();
    // The logical keys drop the joystick of the manager just destroyed.
    Game::KeyInput::initJoystick();
    step();
    Game::KeyInput::initJoystick();
    step();
  }
  void padFrame(int button, std::initializer_list<Key> held = {}) {
    auto& buttons = backend->fakeJoysticks.attached[0].state.buttons;
    buttons.fill(false);
    if (button >= 0) buttons[static_cast<std::size_t>(button)] = true;
    step(held);
    EXPECT_FALSE(menu->update());
  }
  void moveBy(Key key, int rows) {
    for (int i = 0; i < rows; ++i) {
      padFrame(-1, {key});
      padFrame(-1);
    }
  }

  Config config;
  std::optional<Game::KeyAssignMenu> menu;
};

TEST_F(KeyAssignPadTest, TheRowUnderTheCursorTakesThePadButtonHeld) {
  for (int i = 0; i < 8; ++i) padFrame(-1);
  moveBy(Key::Down, 2);
  padFrame(9);  // the cursor on the second key row (key 5)
  EXPECT_EQ(std::tuple(config.binding(1).mButton, config.binding(0).mButton,
                       std::string(static_cast<const Game::Widget::Text*>(menu->list().item(2))->text.c_str())),
            std::tuple(9, 0, "9  x"));
  // Buttons past 9 are not polled; the back row takes nothing.
  padFrame(12);
  EXPECT_EQ(config.binding(1).mButton, 9);
  moveBy(Key::Up, 2);
  padFrame(3);
  EXPECT_EQ(config.binding(0).mButton, 0);
}

TEST(KeyAssignMenuRows, AnUnboundButtonShowsMinusOne) {
  Game::KeyInput::setDefaultBindings();
  EXPECT_STREQ(Game::KeyAssignMenu::rowText(-1, 8).c_str(), "-1  control");
}

}  // namespace
