// The script commands that act on the open field, run against a real field
// on the sample floors (5 x 5 rooms: event 1 at (2,0), 7 at (1,3), 2 at (3,3)).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "core/map/MapBuildQueue.h"
#include "file/FileLoader.h"
#include "field/Container.h"
#include "field/Enemy.h"
#include "field/FieldEffect.h"
#include "field/FieldScene.h"
#include "resource/Database.h"
#include "resource/database/MapSiteData.h"
#include "resource/database/SymbolCharaData.h"
#include "script/scene/RunningScenes.h"
#include "tests/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::FieldScene;
using Game::Script;
using Game::Field::Symbol;
namespace ScriptStuff = Game::ScriptStuff;

class FieldCommandsTest : public ScriptTestSupport::ScriptTest {
 protected:
  // The game again, over the databases with the sample pictures.
  void SetUp() override {
    ScriptTest::SetUp();
    mVariables.reset();
    mGame.reset();
    Engine::Graphics::Manager::create(640, 480, false, true, false);
    for (const char* folder : {"src/picture/map", "src/picture/symbol", "src/picture/telop", "src/picture/common"}) {
      GameTestSupport::putSampleFiles(fs(), folder);
    }
    Game::FileLoader::destroy();
    Game::FileLoader::create();
    Game::Database::destroy();
    Game::Database::create();
    database().load();
    database().loadMaps();
    Game::MapBuildQueue::create();
    mGame = std::make_unique<Game::GameData>();
    mVariables = std::make_unique<ScriptTestSupport::GameVariables>(*mGame);
    ScriptStuff::forgetMissingSceneReports();
    field().applySceneChange(site("灰の坑道"), "b1", 1);
  }
  void TearDown() override {
    mScript.clear();
    mVariables.reset();
    mGame.reset();
    Game::MapBuildQueue::destroy();
    Engine::Graphics::Manager::destroy();
    ScriptTest::TearDown();
  }
  FieldScene& field() { return *static_cast<FieldScene*>(game().field()); }
  static const Game::MapSiteData* site(const char* name) { return Game::Database::instance()->findSite(name); }
  // Runs the commands once; the last one's status.
  i32 run(const char* text) {
    load(text);
    i32 status = 0;
    for (i32 i = 0; i < mScript.commandCount(); ++i) status = mScript.command(i)->execute(game());
    return status;
  }
  Symbol& figure(const char* name) {
    Symbol* symbol = field().findSymbol(name);
    EXPECT_NE(symbol, nullptr) << name;
    return *symbol;
  }
  // The line the window shows next.
  std::string shownLine() {
    game().messageWindow().isIdle();
    return game().messageWindow().box().text().c_str();
  }
};

// Missing symbols, on either side of a command, are left alone.
TEST_F(FieldCommandsTest, SymbolsArePlacedMovedAndTurnedByName) {
  run("createSymbol{ name 影; type 影法師; position 7; angle 3; } createSymbol{ name Kessa; position 2; }"
      " createSymbol{ name 無; } move{ name 影; command{ name hop; time 8; number 3; parameter 1,-1; }"
      " command{ name wait; time 4; parameter 1,2,3,4,5; } command{ name go; } } move{ name 誰も; command{} }"
      " changeSymbol{ name 誰も; type 扉; } aimSymbol{ name 影; target 誰も; } aimSymbol{ name 誰も; target 影; }"
      " rotateSymbol{ name 誰も; value 5; }");
  EXPECT_EQ(field().findSymbol("無"), nullptr);
  Symbol& shade = figure("影");
  Symbol& lead = figure("Kessa");
  EXPECT_EQ((std::vector<i32>{shade.x(), shade.y(), lead.x(), lead.y()}), (std::vector<i32>{1, 3, 3, 3}));
  EXPECT_EQ((std::vector<float>{shade.angle(), lead.angle()}), (std::vector<float>{270.f, 0.f}));
  EXPECT_STREQ(shade.chara()->name(), "影法師");
  EXPECT_STREQ(lead.chara()->name(), "Kessa");
  const i32 queued[][6] = {{6, 8, 1, -1, 0, 0}, {6, 8, 1, -1, 0, 0}, {6, 8, 1, -1, 0, 0}, {1, 4, 1, 2, 3, 4},
                           {5, 0, 0, 0, 0, 0}};
  ASSERT_EQ(shade.commands().size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    const Game::Field::MoveCommand& c = shade.commands()[i];
    const auto& row = queued[i];
    EXPECT_EQ((std::vector<i32>{c.code, c.time, c.parameters[0], c.parameters[1], c.parameters[2], c.parameters[3]}),
              (std::vector<i32>(row, row + 6)))
        << i;
  }
  run("changeSymbol{ name 影; type 扉; } rotateSymbol{ name 影; value 45; } targetSymbol{ name 影; }"
      " aimSymbol{ name Kessa; target 影; }");
  EXPECT_EQ(lead.angle(), 180.f);
  EXPECT_STREQ(shade.chara()->name(), "扉");
  EXPECT_EQ(shade.idleMotion(), "stand");
  EXPECT_EQ(shade.angle(), 45.f);
  EXPECT_EQ(field().followed(), &shade);
  run("createSymbol{ name 影; position 2; } destroySymbol{ name 影; }");
  EXPECT_EQ(field().findSymbol("影"), nullptr);
  EXPECT_EQ(field().followed(), nullptr);
  run("targetSymbol{ name Kessa; } targetSymbol{ name 誰も; }");
  EXPECT_EQ(field().followed(), nullptr);
}

TEST_F(FieldCommandsTest, DoorsAndChestsAppearAsAskedAndOpenByTouch) {
  game().variables().flagOn("Container_b1_開");
  struct Row {
    const char* command;
    const char* name;  // "" when nothing is placed
    const char* chara;
    float angle;
  };
  for (const Row& row : {Row{"createDoor{ key システムキー; position 2; angle 1; big; }", "door2", "扉大", 90.f},
                         Row{"createDoor{ key 魔法鍵; position 7; }", "door7", "扉", 0.f},
                         Row{"createContainer{ position 2; name 箱; tool 薬草; }", "Container_b1_箱", "宝箱", 0.f},
                         Row{"createContainer{ position 2; money 5; }", "Container_b1_02", "宝箱", 0.f},
                         Row{"createContainer{ position 2; name 開; }", "", "", 0.f},
                         Row{"createContainer{ position 2; name 偽; expression 0; }", "", "", 0.f}}) {
    const std::size_t before = field().symbols().size();
    run(row.command);
    ASSERT_EQ(field().symbols().size(), before + (*row.name ? 1u : 0u)) << row.command;
    if (!*row.name) continue;
    const Symbol& placed = *field().symbols().back();
    EXPECT_EQ(placed.name(), row.name);
    EXPECT_STREQ(placed.chara()->name(), row.chara);
    EXPECT_EQ(placed.angle(), row.angle);
  }
  const auto money = [this](const char* name) {
    return static_cast<const Game::Field::Container*>(figure(name).parameter())->money();
  };
  EXPECT_EQ(std::vector<i32>({money("Container_b1_箱"), money("Container_b1_02")}), std::vector<i32>({0, 5}));
  EXPECT_EQ(run("openSymbol{ name 誰も; }"), ScriptStuff::kNext);
  EXPECT_EQ(run("openSymbol{ name door2; } openSymbol{ name door7; }"), ScriptStuff::kNext);
  EXPECT_EQ(field().findSymbol("door2"), nullptr);
  EXPECT_NE(field().findSymbol("door7"), nullptr);
  EXPECT_EQ(shownLine(), "扉は閉ざされている");
}

TEST_F(FieldCommandsTest, SeekingCountsTheChestsInOneOfTwoLines) {
  EXPECT_EQ(run("seekContainer{}"), ScriptStuff::kYield);
  EXPECT_EQ(shownLine(), "このフロアには宝箱が1個あるみたいだ");
  game().messageWindow().clear();
  run("createContainer{ position 2; } seekContainer{}");
  EXPECT_EQ(shownLine(), "このフロアには宝箱が2個あるみたいだ");
  game().messageWindow().clear();
  run("destroySymbol{ name Container_b1_07; } destroySymbol{ name Container_b1_02; } seekContainer{}");
  EXPECT_EQ(shownLine(), "このフロアには宝箱はないみたい……");
}

// The player steps one unit toward +y; enemies stand in line with them.
TEST_F(FieldCommandsTest, EnemiesFreezeWithin384AndVanishWithin192OfThePlayer) {
  Symbol& player = *field().player();
  player.move("move", 48, 0, 1);
  player.update();
  player.update();
  struct Row {
    i32 x, y;
    bool enemy;
    float distance;
    bool freezes, vanishes;
  };
  const Row rows[] = {{2, 8, true, 383.f, true, false}, {2, -8, true, 385.f, false, false},
                      {2, 4, true, 191.f, true, true},  {2, -4, true, 193.f, true, false},
                      {1, 1, false, 0.f, false, false}};
  for (const Row& row : rows) {
    const std::string name = "s" + std::to_string(row.y);
    Symbol& symbol = field().addSymbol(name.c_str(), "", row.x, row.y, 0.f);
    if (row.enemy) {
      symbol.setParameter(std::make_unique<Game::Field::Enemy>(Game::Database::instance()->findRace("粘体"), 0));
      EXPECT_FLOAT_EQ(std::abs(symbol.position().y - player.position().y), row.distance);
    }
    symbol.move("wait", 1);
  }
  run("freezeEnemySymbol{}");
  EXPECT_NE(dynamic_cast<const Game::Field::Icicle*>(field().effect()), nullptr);
  for (const Row& row : rows) {
    const Symbol& symbol = figure(("s" + std::to_string(row.y)).c_str());
    EXPECT_EQ(symbol.commands().size(), row.freezes ? 0u : 1u) << row.y;
    EXPECT_EQ(symbol.controller().wait, row.freezes ? 16 : 0) << row.y;
  }
  run("vanishEnemySymbol{}");
  EXPECT_NE(dynamic_cast<const Game::Field::Explode*>(field().effect()), nullptr);
  for (const Row& row : rows) {
    EXPECT_EQ(field().findSymbol(("s" + std::to_string(row.y)).c_str()) == nullptr, row.vanishes) << row.y;
  }
}

TEST_F(FieldCommandsTest, MapSceneAndViewChanges) {
  run("setVerticalAngle{ value 5; } setAngle{ value 2; }");
  EXPECT_EQ(field().angleLevel(), 2);
  EXPECT_EQ(field().floorAngle(), 5.f);
  EXPECT_EQ(field().cameraPitch(), 72.f);  // 37 + the site's 30 + 5
  EXPECT_FALSE(field().isAngleFixed());
  run("fixAngle{ value 3; } setAngle{}");
  EXPECT_TRUE(field().isAngleFixed());
  EXPECT_EQ(field().angleLevel(), 0);
  run("fixAngle{ value 0; }");
  EXPECT_FALSE(field().isAngleFixed());
  run("changeMap{ file b4; }");  // no cell bears event 0: the first open one
  EXPECT_EQ(std::vector<i32>({field().player()->x(), field().player()->y()}), std::vector<i32>({1, 1}));
  run("changeMap{ file b4; position 2; }");
  EXPECT_STREQ(field().floorName(), "b4");
  EXPECT_STREQ(field().siteName(), "灰の坑道");
  EXPECT_EQ(std::vector<i32>({field().player()->x(), field().player()->y()}), std::vector<i32>({3, 3}));
  run("changeMap{ file b1; position 1; site 沈黙の書庫; }");
  EXPECT_STREQ(field().siteName(), "沈黙の書庫");
  EXPECT_STREQ(field().floorName(), "b1");
  const i32 requests = field().continueRequests();
  run("changeScene{ name 灰の坑道; } changeScene{}");
  EXPECT_STREQ(field().siteName(), "灰の坑道");
  EXPECT_EQ(field().continueRequests(), requests + 1);
  run("changeMap{ file b2; position 1; } completeFloorMap{}");
  ASSERT_FALSE(field().mappedCells().empty());
  EXPECT_EQ(std::count(field().mappedCells().begin(), field().mappedCells().end(), 0), 0);
}

}  // namespace
