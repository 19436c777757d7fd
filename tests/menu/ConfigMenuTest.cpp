#include "menu/ConfigMenu.h"

#include <string>

#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/config/Config.h"
#include "core/input/KeyInput.h"
#include "presentation/widget/Widget.h"
#include "menu/KeyAssignMenu.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/KeyScript.h"

namespace {

using Game::Config;
using Game::ConfigMenu;
using Platform::Key;

class ConfigMenuTest : public WidgetTest::KeyScript {
 protected:
  void SetUp() override {
    KeyScript::SetUp();
    // "保存" writes through the file manager.
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerOptions options;
    options.abortOnError = false;
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, options);
    Game::SceneRenderer::create(800, 600);
    // Applying reaches only what these tests look at: no device to rebuild fonts on.
    Config::targets() = {};
  }
  void TearDown() override {
    Config::targets() = {};
    Game::SceneRenderer::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
    KeyScript::TearDown();
  }

  // One frame with the keys held; whether the menu closed.
  bool frame(ConfigMenu& menu, std::initializer_list<Key> held = {}) {
    step(held);
    return menu.update();
  }
  // A press and a release, one frame each.
  bool press(ConfigMenu& menu, Key key) {
    const bool closed = frame(menu, {key});
    return frame(menu) || closed;
  }
  void moveTo(ConfigMenu& menu, int row) {
    while (menu.cursor() != row) {
      press(menu, Key::Down);
    }
  }
  std::string savedFile() {
    const auto bytes = mBackend->fakeFileSystem.contents(Config::kFileName);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
  }
  static constexpr int kBgmVolumeRow = ConfigMenu::kFirstOption + 9;
};

TEST_F(ConfigMenuTest, LeavingWithoutSavingDropsTheChanges) {
  ConfigMenu menu;
  EXPECT_STREQ(menu.label(ConfigMenu::kBack), "もどる");
  moveTo(menu, kBgmVolumeRow);
  EXPECT_STREQ(menu.label(kBgmVolumeRow), "BGMボリューム");
  EXPECT_STREQ(menu.label(ConfigMenu::kBack), "もどる");
  frame(menu, {Key::Right});  // the frame of the change
  EXPECT_TRUE(menu.isChanged());
  EXPECT_STREQ(menu.label(ConfigMenu::kBack), "保存せずもどる");
  frame(menu);
  EXPECT_EQ(menu.workingCopy().setting(Config::kBgmVolume).value(), 4);

  moveTo(menu, ConfigMenu::kBack);
  EXPECT_TRUE(press(menu, kDecide));
  EXPECT_EQ(Config::instance().setting(Config::kBgmVolume).value(), 3);
  EXPECT_EQ(savedFile(), "");
}

TEST_F(ConfigMenuTest, DefaultsWaitForSaveWhichWritesTheFile) {
  Config::instance().setting(Config::kBgmVolume).set(9);
  ConfigMenu menu;
  EXPECT_EQ(menu.workingCopy().setting(Config::kBgmVolume).value(), 9);
  moveTo(menu, ConfigMenu::kDefault);
  EXPECT_FALSE(press(menu, kDecide));
  EXPECT_TRUE(menu.isChanged());
  EXPECT_EQ(menu.workingCopy().setting(Config::kBgmVolume).value(), 3);
  EXPECT_EQ(Config::instance().setting(Config::kBgmVolume).value(), 9);
  EXPECT_EQ(savedFile(), "");

  moveTo(menu, ConfigMenu::kSave);
  EXPECT_FALSE(press(menu, kDecide));
  EXPECT_FALSE(menu.isChanged());
  EXPECT_STREQ(menu.label(ConfigMenu::kBack), "もどる");
  EXPECT_EQ(Config::instance().setting(Config::kBgmVolume).value(), 3);
  Game::String text;
  Config().toText(text);
  EXPECT_EQ(savedFile(), text.c_str());
}

// Buttons act on the first frame of a press only: holding decide on "保存"
// writes once, and walking onto a button with decide held does nothing.
TEST_F(ConfigMenuTest, ButtonsActOnTheFirstFrameOfAPress) {
  ConfigMenu menu;
  moveTo(menu, ConfigMenu::kDefault);
  frame(menu, {kDecide});
  for (int i = 0; i < 40; ++i) {
    EXPECT_FALSE(frame(menu, {kDecide, Key::Up}));
  }
  EXPECT_TRUE(menu.isChanged());
  EXPECT_EQ(savedFile(), "");
  frame(menu);
  moveTo(menu, ConfigMenu::kSave);
  frame(menu, {kDecide});
  EXPECT_FALSE(menu.isChanged());
  EXPECT_NE(savedFile(), "");
  mBackend->fakeFileSystem.remove(Config::kFileName);
  for (int i = 0; i < 5; ++i) {
    frame(menu, {kDecide});
  }
  EXPECT_EQ(savedFile(), "");
}

TEST_F(ConfigMenuTest, TheCursorWrapsOverTheSeventeenRows) {
  ConfigMenu menu;
  press(menu, Key::Up);
  EXPECT_EQ(menu.cursor(), 16);
  EXPECT_STREQ(menu.label(16), "文字アンチエイリアス");
  press(menu, Key::Down);
  EXPECT_EQ(menu.cursor(), 0);
  // Held, the cursor repeats from the 32nd frame every fourth.
  for (int i = 0; i < 36; ++i) {
    frame(menu, {Key::Down});
  }
  EXPECT_EQ(menu.cursor(), 3);
}

struct ValueCase {
  int row;
  Key key;
  bool withRight;
  int presses;
  int value;
  const char* text;
};

TEST_F(ConfigMenuTest, ValuesWrapInsideTheirChoicesAndReadAsTheirRowSays) {
  const ValueCase cases[] = {
      {4, Key::Right, false, 1, 1, "フルスクリーン"},
      {4, Key::Right, false, 2, 0, "ウィンドウ"},
      {7, Key::Left, false, 2, 3, "1280x960"},
      {7, Key::Right, false, 3, 0, "640x480"},
      {6, Key::Right, false, 1, 1, "有効"},
      {9, Key::Right, false, 1, 0, "無効"},
      {13, Key::Left, false, 4, 10, "10"},
      {13, Key::Right, false, 8, 0, "0"},
  };
  for (const ValueCase& c : cases) {
    ConfigMenu menu;
    moveTo(menu, c.row);
    for (int i = 0; i < c.presses; ++i) {
      if (c.withRight) {
        frame(menu, {c.key, Key::Right});
      } else {
        frame(menu, {c.key});
      }
      frame(menu);
    }
    const Config::Setting& setting = menu.workingCopy().setting(menu.option(c.row).setting);
    EXPECT_EQ(setting.value(), c.value) << c.row;
    EXPECT_STREQ(menu.valueText(c.row).c_str(), c.text) << c.row;
    EXPECT_TRUE(menu.isChanged());
  }
}

TEST_F(ConfigMenuTest, RowsNameTheirSettingsAndRestartMarks) {
  ConfigMenu menu;
  const struct {
    int row;
    const char* label;
    Config::SettingIndex setting;
    bool restart;
  } rows[] = {
      {4, "ウィンドウモード", Config::kFullScreen, true}, {5, "ウェイト", Config::kVSync, true},
      {6, "FPS表示", Config::kFps, false},                {7, "画面サイズ", Config::kWindowSize, true},
      {8, "テクスチャフィルター", Config::kTextureFilter, false},
      {9, "アンチエイリアス", Config::kAntialias, true},  {10, "ピクセルシェーダ", Config::kPixelShader, false},
      {11, "表示軽量化", Config::kOmit, false},            {12, "BGM", Config::kBgm, true},
      {14, "SEボリューム", Config::kSeVolume, false},
      {15, "パッド（接続なし）", Config::kPad, false},  // the fake has no joystick
  };
  for (const auto& r : rows) {
    EXPECT_STREQ(menu.label(r.row), r.label);
    EXPECT_EQ(menu.option(r.row).setting, r.setting) << r.row;
    EXPECT_EQ(menu.option(r.row).restart, r.restart) << r.row;
  }
  EXPECT_STREQ(menu.label(ConfigMenu::kKeys), "キー配置");
  EXPECT_STREQ(menu.label(17), "");
  EXPECT_STREQ(menu.valueText(ConfigMenu::kSave).c_str(), "");
}

TEST_F(ConfigMenuTest, KeyAssignmentOpensChangedAndClosesOnBack) {
  ConfigMenu menu;
  moveTo(menu, ConfigMenu::kKeys);
  press(menu, kDecide);
  ASSERT_TRUE(menu.isAssigningKeys());
  EXPECT_TRUE(menu.isChanged());
  // Cancel does not close it: the pad's buttons are being assigned.
  for (int i = 0; i < 10; ++i) {
    frame(menu, {kCancel});
    frame(menu);
  }
  EXPECT_TRUE(menu.isAssigningKeys());
  press(menu, kDecide);
  EXPECT_FALSE(menu.isAssigningKeys());
  EXPECT_EQ(menu.cursor(), ConfigMenu::kKeys);
}

// With a pad attached: the key rows take the first pad button held.
class KeyAssignPadTest : public WidgetTest::KeyScript {
 protected:
  void SetUp() override {
    KeyScript::SetUp();
    Game::SceneRenderer::create(800, 600);
    Engine::Input::Manager::destroy();
    mBackend->fakeJoysticks.attached.resize(1);
    Engine::Input::Manager::create();
    step();
    Game::KeyInput::initJoystick();
    step();
  }
  void TearDown() override {
    // The logical keys keep their joystick: leave none for the next test.
    Engine::Input::Manager::destroy();
    mBackend->fakeJoysticks.attached.clear();
    Engine::Input::Manager::create();
    Game::KeyInput::initJoystick();
    Game::SceneRenderer::destroy();
    KeyScript::TearDown();
  }
  void padFrame(Game::KeyAssignMenu& menu, int button, std::initializer_list<Key> held = {}) {
    auto& buttons = mBackend->fakeJoysticks.attached[0].state.buttons;
    buttons.fill(false);
    if (button >= 0) buttons[static_cast<std::size_t>(button)] = true;
    step(held);
    EXPECT_FALSE(menu.update());
  }
};

TEST_F(KeyAssignPadTest, TheRowUnderTheCursorTakesThePadButtonHeld) {
  Config config;
  Game::KeyAssignMenu menu(config);
  for (int i = 0; i < 8; ++i) padFrame(menu, -1);
  padFrame(menu, -1, {Key::Down});
  padFrame(menu, -1);
  padFrame(menu, -1, {Key::Down});
  padFrame(menu, 9);  // the cursor on the second key row (key 5)
  EXPECT_EQ(config.binding(1).mButton, 9);
  EXPECT_EQ(config.binding(0).mButton, 0);
  const auto* row = static_cast<const Game::Widget::Text*>(menu.list().item(2));
  EXPECT_STREQ(row->text.c_str(), "9  x");
  EXPECT_EQ(menu.list().cursor(), 2);
  // Buttons past 9 are not polled; the back row takes nothing.
  padFrame(menu, 12);
  EXPECT_EQ(config.binding(1).mButton, 9);
  padFrame(menu, -1, {Key::Up});
  padFrame(menu, -1);
  padFrame(menu, -1, {Key::Up});
  padFrame(menu, 3);
  EXPECT_EQ(config.binding(0).mButton, 0);
}

TEST(KeyAssignMenuRows, ButtonThenKeyName) {
  Game::KeyInput::setDefaultBindings();
  EXPECT_STREQ(Game::KeyAssignMenu::rowText(1, 5).c_str(), "1  x");
  EXPECT_STREQ(Game::KeyAssignMenu::rowText(-1, 8).c_str(), "-1  control");
  EXPECT_STREQ(Game::KeyAssignMenu::rowText(5, 9).c_str(), "5  space");
}

}  // namespace
