#include "battle/UnitStatusIcons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/UnitMessageView.h"
#include "live/Unit.h"
#include "presentation/model/Model.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "tests/Services.h"
#include "tests/battle/BattleGameFixture.h"
#include "tests/live/unit/TestGhost.h"

namespace {

using Engine::i32;
using Game::UnitStatusIcons;

// Every icon, in its order: charging, held back, then the states.
const std::vector<std::string> kAllIcons = {
    "チャージ", "反動",           "ElementalCrystalRing", "麻痺", "暗闇",     "毒",   "発狂",
    "呪い",     "睡眠",           "封印",                 "マジックバリア", "集中", "チャージアップ", "幸運",
    "ディレイ", "恐怖",           "CrimsonFocus",         "FloatingBellSplash"};
// The states of the icons after the first two, "カウンター無効付加" showing "幸運".
std::string stateOf(const std::string& icon) { return icon == "幸運" ? "カウンター無効付加" : icon; }

// Kessa in a battle of the sample data.
class UnitStatusIconsTest : public BattleTestSupport::BattleGameTest {
 protected:
  void SetUp() override {
    BattleGameTest::SetUp();
    addMember(0, 0);
    makeBattle({}, 0);
  }
  Game::Unit& kessa() { return unit(0); }
  // charge and hold stand for the unit's counters, other names for states.
  void set(const std::string& what, i32 level) {
    if (what == "charge") {
      kessa().setCharge(level);
    } else if (what == "hold") {
      kessa().setHold(level);
    } else {
      kessa().setStateLevel(what.c_str(), level);
    }
  }
  std::vector<std::string> icons() {
    std::vector<const char*> sets;
    UnitStatusIcons::collect(kessa(), sets);
    return {sets.begin(), sets.end()};
  }
};

// Held states show at a level above 0; the barrier and the charge-up, whose
// factors move off 1, at any level but 0. All at once, in the list's order.
TEST_F(UnitStatusIconsTest, WhatAUnitHoldsShowsItsIcon) {
  struct Row {
    const char* what;
    i32 level;
    std::vector<std::string> shown;
  };
  const Row rows[] = {
      {"charge", 1, {"チャージ"}},
      {"hold", 1, {"反動"}},
      {"麻痺", 1, {"麻痺"}},
      {"麻痺", -1, {}},
      {"シールド", 1, {}},
      {"マジックバリア", -20, {"マジックバリア"}},
      {"チャージアップ", -1, {"チャージアップ"}},
      {"カウンター無効付加", 2, {"幸運"}},
  };
  EXPECT_TRUE(icons().empty());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    set(row.what, row.level);
    EXPECT_EQ(icons(), row.shown);
    set(row.what, 0);
  }
  set("charge", 2);
  set("hold", 1);
  for (std::size_t i = 2; i < kAllIcons.size(); ++i) set(stateOf(kAllIcons[i]), 1);
  EXPECT_EQ(icons(), kAllIcons);
}

// Every icon's set holds its "icon"; a state's message pops up the set's
// "main".
TEST_F(UnitStatusIconsTest, TheSampleSetsHoldEveryIcon) {
  GameTestSupport::putSampleFiles(fs(), "src/picture/battle");
  GameTestSupport::putSampleFiles(fs(), "src/picture/common");
  const TestServices::Scoped graphics(TestServices::kGraphics);
  Game::BattlePictures& pictures = Game::Database::instance()->maps().battle;
  for (const std::string& icon : kAllIcons) {
    EXPECT_NE(UnitStatusIcons::iconPicture(icon.c_str()), nullptr) << icon;
  }
  EXPECT_EQ(UnitStatusIcons::iconPicture("斬り払い"), nullptr);
  const i32 poison = Game::Database::instance()->states().indexOf("毒");
  EXPECT_EQ(Game::UnitMessageView::statePicture(poison), pictures.stateSet("毒")->find("main"));
  pictures.release();
}

Game::Model gPicture;
Game::Model* picture(i32 state) { return state == 4 ? &gPicture : nullptr; }

// A party unit at row 1, column 2 without a node: its front point is its
// cell's point (128, 32, 0).
class UnitMessageViewTest : public ::testing::Test {
 protected:
  UnitMessageViewTest() { unit.setCell(1, 2); }

  std::vector<const Game::SceneNode*> active() const {
    std::vector<const Game::SceneNode*> out;
    for (i32 i = 0; i < pool.capacity(); ++i) {
      if (pool.node(i).isActive()) out.push_back(&pool.node(i));
    }
    return out;
  }
  // A node's world point, from its base transform (world units / 400).
  static float worldZ(const Game::SceneNode& node) { return node.baseState.transform(2, 3) * 400.f; }
  static float worldX(const Game::SceneNode& node) { return node.baseState.transform(0, 3) * 400.f; }

  UnitTestSupport::TestGhost ghost;
  Game::Unit unit{ghost};
  Game::SceneNodePool pool{Game::SceneNodePool::kSceneCapacity};
};

// A state's pictures pop up count times from the front point, 32 apart; a
// state without a picture shows nothing.
TEST_F(UnitMessageViewTest, AStatesPicturesStackThirtyTwoApart) {
  Game::UnitMessageView view(pool, unit, picture);
  Game::UnitStuff::Message message;
  message.kind = Game::UnitStuff::Message::Kind::kState;
  message.count = 3;
  message.state = 5;
  view.show(message);
  EXPECT_TRUE(active().empty());
  message.state = 4;
  view.show(message);
  const std::vector<const Game::SceneNode*> nodes = active();
  ASSERT_EQ(nodes.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(nodes[i]->getModel(), &gPicture);
    EXPECT_NEAR(worldX(*nodes[i]), 128.f, 1e-3f);
    EXPECT_NEAR(worldZ(*nodes[i]), 32.f * static_cast<float>(i), 1e-3f);
    EXPECT_TRUE(nodes[i]->baseState.billboard);
  }
}

}  // namespace
