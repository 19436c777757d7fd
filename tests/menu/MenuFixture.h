#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "running/game/GameData.h"
#include "presentation/widget/ListMenu.h"
#include "presentation/widget/Widget.h"
#include "tests/presentation/widget/MenuRows.h"
#include "tests/Services.h"
#include "tests/running/game/KeyedGameFixture.h"

namespace MenuTestSupport {

// A new game on the sample databases with the scene renderer, for screens
// run one frame at a time by keys.
class MenuTest : public GameTestSupport::KeyedGameTest {
 protected:
  void SetUp() override {
    KeyedGameTest::SetUp();
    mServices.emplace(TestServices::kRenderer);
    mGame = std::make_unique<Game::GameData>();
  }
  void TearDown() override {
    mGame.reset();
    mServices.reset();
    KeyedGameTest::TearDown();
  }

  // Idle frames of the screen until its lists take input, then one frame
  // with the key held: the screen's answer on that frame.
  template <class Screen>
  auto press(Screen& screen, Platform::Key key, int wait = Game::ListMenu::kInputDelay + 1) {
    for (int i = 0; i < wait; ++i) {
      step({});
      screen.update();
    }
    step({key});
    return screen.update();
  }

  Game::GameData& game() { return *mGame; }
  const Game::ToolData* tool(const char* name) { return database().findTool(name); }
  const Game::ShellData* shell(const char* name) { return database().findShellExactly(name); }

  // Row i's colour; 0 for no text row.
  static Engine::u32 color(const Game::ListMenu& menu, int i) {
    const auto* text = dynamic_cast<const Game::Widget::Text*>(menu.item(i));
    return text ? text->color : 0u;
  }
  static std::vector<std::string> rows(const Game::ListMenu& menu) { return WidgetTest::menuRows(menu); }

  std::optional<TestServices::Scoped> mServices;
  std::unique_ptr<Game::GameData> mGame;
};

}  // namespace MenuTestSupport
