#include "battle/UnitStatusIcons.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/UnitMessageView.h"
#include "live/Unit.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "tests/Services.h"
#include "tests/battle/BattleGameFixture.h"

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

// The icons a drawing looked up.
std::vector<std::string> gAsked;

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

// A row centred over the head, 18 apart.
TEST_F(UnitStatusIconsTest, IconsLineUpCentredOverTheHead) {
  EXPECT_FLOAT_EQ(UnitStatusIcons::iconX(100.f, 0, 1), 100.f);
  EXPECT_FLOAT_EQ(UnitStatusIcons::iconX(100.f, 0, 3), 82.f);
  EXPECT_FLOAT_EQ(UnitStatusIcons::iconX(100.f, 2, 3), 118.f);
  EXPECT_FLOAT_EQ(UnitStatusIcons::iconX(0.f, 1, 2), 9.f);
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

// Drawing the icons shows the unit's waiting numbers, once a frame; a
// number springs up 20 a frame for each whole of its scale, and the flag
// makes it critical: larger (one digit: 0.25 + 0.1, critical 0.375 + 0.1).
TEST_F(UnitStatusIconsTest, DrawingShowsTheMessages) {
  GameTestSupport::putSampleFiles(fs(), "src/system");
  const TestServices::Scoped services(TestServices::kGraphics | TestServices::kRenderer);
  Game::SystemResources::create();
  kessa().setStateLevel("毒", 1);
  kessa().messages().queueDamage(7, 0xFFFFFFFF, 0, 1.f);
  kessa().messages().queueDamage(8, 0xFFFFFFFF, 0, 2.5f);
  kessa().messages().queueDamage(9, 0xFFFFFFFF, 1, 1.f);
  Game::SceneNodePool& pool = *battle().scenePool();
  UnitStatusIcons::draw(pool, kessa(), [](const char* set) -> Game::Model* {
    gAsked.emplace_back(set);
    return nullptr;
  });
  EXPECT_EQ(gAsked, (std::vector<std::string>{"毒"})) << "one icon looked up";
  EXPECT_TRUE(kessa().messages().isEmpty());
  EXPECT_EQ(kessa().messages().wait(), Game::UnitStuff::MessageManager::kWait);
  std::vector<std::pair<float, float>> shown;
  for (i32 i = 512; i < pool.capacity(); ++i) {
    const Game::SceneNode& node = pool.node(i);
    if (node.isActive()) shown.emplace_back(node.position.y.velocity(), node.scale.x.value());
  }
  const std::vector<std::pair<float, float>> expected = {{20.f, 0.35f}, {40.f, 0.35f}, {20.f, 0.475f}};
  ASSERT_EQ(shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_FLOAT_EQ(shown[i].first, expected[i].first) << i;
    EXPECT_FLOAT_EQ(shown[i].second, expected[i].second) << i;
  }
  game().setBattle(nullptr);
  Game::SystemResources::destroy();
}

}  // namespace
