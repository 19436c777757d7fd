#include "battle/UnitStatusIcons.h"

#include <gtest/gtest.h>

#include <algorithm>
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
#include "tests/battle/BattleFixture.h"
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
    if (what == "charge") return kessa().setCharge(level);
    if (what == "hold") return kessa().setHold(level);
    kessa().setStateLevel(what.c_str(), level);
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
  const std::tuple<const char*, i32, std::vector<std::string>> rows[] = {
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
  for (const auto& [what, level, shown] : rows) {
    set(what, level);
    EXPECT_EQ(icons(), shown) << what;
    set(what, 0);
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

// A state's picture pops up count times from the unit's front point, each
// 32 higher; a state without a picture shows nothing.
TEST(UnitMessageViewTest, AStatesPicturesStackThirtyTwoApart) {
  UnitTestSupport::TestGhost ghost;
  Game::Unit unit(ghost);
  Game::SceneNodePool pool(Game::SceneNodePool::kSceneCapacity);
  Game::UnitMessageView view(pool, unit, picture);
  Game::UnitStuff::Message message;
  message.kind = Game::UnitStuff::Message::Kind::kState;
  message.count = 3;
  message.state = 5;
  view.show(message);
  EXPECT_EQ(pool.activeCount(), 0);
  message.state = 4;
  view.show(message);
  EXPECT_EQ(pool.activeCount(), 3);
  // The highest, in world units (a node's matrix holds them / 400).
  float top = 0.f;
  for (i32 i = 0; i < pool.capacity(); ++i) {
    if (pool.node(i).isActive()) top = std::max(top, pool.node(i).baseState.transform(2, 3) * 400.f);
  }
  EXPECT_NEAR(top, 64.f, 1e-3f);
}

}  // namespace
