// The field's script commands on a real field over the sample floors (5 x 5
// rooms: event 1 at (2,0), 7 at (1,3), 2 at (3,3)).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/map/MapBuildQueue.h"
#include "field/Container.h"
#include "field/Enemy.h"
#include "field/FieldEffect.h"
#include "field/FieldScene.h"
#include "records/database/SymbolCharaData.h"
#include "tests/Services.h"
#include "tests/field/SampleFloors.h"
#include "tests/running/script/ScriptFixture.h"

namespace {

using Engine::i32;
using Game::Field::Symbol;
using std::string;
using std::tuple;
namespace ScriptStuff = Game::ScriptStuff;

class FieldCommandsTest : public ScriptTestSupport::ScriptTest {
 protected:
  // The game again, over databases that hold the sample pictures.
  void SetUp() override {
    ScriptTest::SetUp();
    mVariables.reset();
    mGame.reset();
    // The explosion plays its sound.
    mServices.emplace(TestServices::kGraphics | TestServices::kSound, TestServices::Options{640, 480});
    GameTestSupport::putSampleFiles(fs(), "src");
    FieldTestSupport::loadSampleFloors();
    mGame = std::make_unique<Game::GameData>();
    mVariables = std::make_unique<ScriptTestSupport::GameVariables>(*mGame);
    field().applySceneChange(database().findSite("灰の坑道"), "b1", 1);
  }
  void TearDown() override {
    mScript.clear();
    mVariables.reset();
    mGame.reset();
    Game::MapBuildQueue::destroy();
    mServices.reset();
    ScriptTest::TearDown();
  }
  Game::FieldScene& field() { return *static_cast<Game::FieldScene*>(game().field()); }
  // Runs each command once; the last one's status.
  i32 run(const char* text) {
    load(text);
    i32 status = 0;
    for (i32 i = 0; i < mScript.commandCount(); ++i) status = mScript.command(i)->execute(game());
    return status;
  }
  // Cell, angle and chara of the named symbol; (-1, -1, 0, "") without one.
  tuple<i32, i32, float, string> look(const char* name) {
    const Symbol* s = field().findSymbol(name);
    return s ? tuple(s->x(), s->y(), s->angle(), string(s->chara()->name())) : tuple(-1, -1, 0.f, string());
  }
  // The line the window shows next.
  string shownLine() {
    game().messageWindow().isIdle();
    return game().messageWindow().box().text().c_str();
  }
  // Frames for a change of floor to fade over, where the field fades.
  void settle() {
    for (i32 i = 0; i < 40; ++i) field().update();
  }

  std::optional<TestServices::Scoped> mServices;
};

// Missing symbols, on either side of a command, are left alone.
TEST_F(FieldCommandsTest, SymbolsArePlacedMovedAndTurnedByName) {
  run("createSymbol{ name 影; type 影法師; position 7; angle 3; } createSymbol{ name Kessa; position 2; }"
      " createSymbol{ name 無; } move{ name 影; command{ name hop; time 8; number 3; parameter 1,-1; }"
      " command{ name wait; time 4; parameter 1,2,3,4,5; } command{ name go; } } move{ name 誰も; command{} }"
      " changeSymbol{ name 誰も; type 扉; } aimSymbol{ name 影; target 誰も; } aimSymbol{ name 誰も; target 影; }"
      " rotateSymbol{ name 誰も; value 5; }");
  EXPECT_EQ(look("影"), tuple(12, 3, 270.f, string("影法師")));
  EXPECT_EQ(look("Kessa"), tuple(12, 10, 0.f, string("Kessa")));
  EXPECT_EQ(look("無"), tuple(-1, -1, 0.f, string()));
  // Code, time and four parameters of each queued command, in order.
  std::vector<i32> queued;
  for (const Game::Field::MoveCommand& c : field().findSymbol("影")->commands()) {
    queued.insert(queued.end(), {c.code, c.time, c.parameters[0], c.parameters[1], c.parameters[2], c.parameters[3]});
  }
  EXPECT_EQ(queued, std::vector<i32>({6, 8, 1, -1, 0, 0, 6, 8, 1, -1, 0, 0, 6, 8, 1, -1, 0, 0, 1, 4, 1, 2, 3, 4,
                                      5, 0, 0, 0, 0, 0}));
  run("changeSymbol{ name 影; type 扉; } rotateSymbol{ name 影; value 45; } targetSymbol{ name 影; }"
      " aimSymbol{ name Kessa; target 影; }");
  EXPECT_EQ(look("影"), tuple(12, 3, 45.f, string("扉")));
  EXPECT_EQ(look("Kessa"), tuple(12, 10, -90.f, string("Kessa")));
  EXPECT_EQ(field().findSymbol("影")->idleMotion(), "stand");
  run("createSymbol{ name 石; position 2; } destroySymbol{ name 石; }");  // the camera keeps to 影
  EXPECT_EQ(field().followed(), field().findSymbol("影"));
  run("createSymbol{ name 影; position 2; } destroySymbol{ name 影; }");
  EXPECT_EQ(tuple(field().findSymbol("影"), field().followed()), tuple(nullptr, nullptr));
  run("targetSymbol{ name Kessa; } targetSymbol{ name 誰も; }");
  EXPECT_EQ(field().followed(), nullptr);
}

// A door with no cell for it, a chest opened for good or one whose condition
// fails is not placed.
TEST_F(FieldCommandsTest, DoorsAndChestsAppearOpenByTouchAndAreCounted) {
  game().variables().flagOn("Container_b1_開");
  run("createDoor{ key システムキー; position 2; angle 1; big; } createDoor{ key 魔法鍵; position 7; } createDoor{}"
      " createContainer{ position 2; name 箱; tool 薬草; } createContainer{ position 2; money 5; }"
      " createContainer{ position 2; name 開; } createContainer{ position 2; name 偽; expression 0; }");
  for (const auto& [name, expected] : {tuple("door2", tuple(12, 10, 90.f, string("扉大"))),
                                       tuple("door7", tuple(12, 3, 0.f, string("扉"))),
                                       tuple("door1", tuple(-1, -1, 0.f, string())),
                                       tuple("Container_b1_箱", tuple(12, 10, 0.f, string("宝箱"))),
                                       tuple("Container_b1_02", tuple(12, 10, 0.f, string("宝箱"))),
                                       tuple("Container_b1_開", tuple(-1, -1, 0.f, string())),
                                       tuple("Container_b1_偽", tuple(-1, -1, 0.f, string()))}) {
    EXPECT_EQ(look(name), expected) << name;
  }
  const auto money = [this](const char* name) {
    return static_cast<const Game::Field::Container*>(field().findSymbol(name)->parameter())->money();
  };
  EXPECT_EQ(tuple(money("Container_b1_箱"), money("Container_b1_02")), tuple(0, 5));
  EXPECT_EQ(run("openSymbol{ name 誰も; }"), ScriptStuff::kNext);
  EXPECT_EQ(run("openSymbol{ name door2; } openSymbol{ name door7; }"), ScriptStuff::kNext);
  EXPECT_EQ(tuple(look("door2"), look("door7")), tuple(tuple(-1, -1, 0.f, string()), tuple(12, 3, 0.f, string("扉"))));
  EXPECT_EQ(shownLine(), "扉は閉ざされている");
  // Seeking counts the six chests (the floor's own four among them), then none.
  for (const auto& [command, line] :
       {tuple("seekContainer{}", "このフロアには宝箱が6個あるみたいだ"),
        tuple("destroySymbol{ name Container_b1_07; } destroySymbol{ name Container_b1_02; }"
              " destroySymbol{ name Container_b1_箱; }"
              " destroySymbol{ name Container_b1_鍵; } destroySymbol{ name Container_b1_12; }"
              " destroySymbol{ name Container_b1_隠し; } seekContainer{}", "このフロアには宝箱はないみたい……")}) {
    game().messageWindow().clear();
    EXPECT_EQ(run(command), ScriptStuff::kYield);
    EXPECT_EQ(shownLine(), line);
  }
}

// The player is one unit into a step toward +y; the rows give the distance
// along y.
TEST_F(FieldCommandsTest, EnemiesFreezeWithin384AndVanishWithin192OfThePlayer) {
  Symbol& player = *field().player();
  player.move("move", 48, 0, 1);
  player.update();
  player.update();
  struct Row { i32 x, y; bool enemy; float distance; bool freezes, vanishes; };
  const Row rows[] = {{6, 9, true, 383.f, true, false}, {6, -7, true, 385.f, false, false},
                      {6, 5, true, 191.f, true, true},  {6, -3, true, 193.f, true, false},
                      {5, 2, false, 47.f, false, false}};
  const auto name = [](const Row& row) { return "s" + std::to_string(row.y); };
  for (const Row& row : rows) {
    Symbol& symbol = field().addSymbol(name(row).c_str(), "", row.x, row.y, 0.f);
    if (row.enemy) symbol.setParameter(std::make_unique<Game::Field::Enemy>(database().findRace("粘体"), 0));
    EXPECT_FLOAT_EQ(std::abs(symbol.position().y - player.position().y), row.distance);
    symbol.move("wait", 1);
  }
  run("freezeEnemySymbol{}");
  EXPECT_NE(dynamic_cast<const Game::Field::Icicle*>(field().effect()), nullptr);
  for (const Row& row : rows) {
    const Symbol& symbol = *field().findSymbol(name(row).c_str());
    EXPECT_EQ(tuple(symbol.commands().size(), symbol.controller().wait),
              tuple(row.freezes ? 0u : 1u, row.freezes ? 16 : 0)) << row.y;
  }
  run("vanishEnemySymbol{}");
  EXPECT_NE(dynamic_cast<const Game::Field::Explode*>(field().effect()), nullptr);
  for (const Row& row : rows) EXPECT_EQ(!field().findSymbol(name(row).c_str()), row.vanishes) << row.y;
}

TEST_F(FieldCommandsTest, MapSceneAndViewChanges) {
  // The pitch is 37 + the site's 30 + the floor's 5.
  run("setVerticalAngle{ value 5; } setAngle{ value 2; }");
  EXPECT_EQ(tuple(field().angleLevel(), field().floorAngle(), field().cameraPitch(), field().isAngleFixed()),
            tuple(2, 5.f, 72.f, false));
  run("fixAngle{ value 3; } setAngle{}");
  EXPECT_EQ(tuple(field().angleLevel(), field().isAngleFixed()), tuple(0, true));
  run("fixAngle{ value 0; }");
  EXPECT_FALSE(field().isAngleFixed());
  // Without a position no cell bears event 0: the player takes the first open one.
  for (const auto& [command, site, floor, cell] :
       {tuple("changeMap{ file b4; }", "灰の坑道", "b4", tuple(1, 1)),
        tuple("changeMap{ file b4; position 2; }", "灰の坑道", "b4", tuple(7, 1)),
        tuple("changeMap{ file b1; position 7; site 沈黙の書庫; }", "沈黙の書庫", "b1", tuple(1, 7)),
        tuple("changeScene{ name 灰の坑道; }", "灰の坑道", "b1", tuple(6, 1))}) {
    run(command);
    settle();
    EXPECT_EQ(tuple(string(field().siteName()), string(field().floorName()), field().player()->x(),
                    field().player()->y()),
              tuple(string(site), string(floor), std::get<0>(cell), std::get<1>(cell)))
        << command;
  }
  const i32 requests = field().continueRequests();
  run("changeScene{}");
  EXPECT_EQ(field().continueRequests(), requests + 1);
  run("changeMap{ file b2; position 9; }");
  settle();
  run("completeFloorMap{}");
  ASSERT_FALSE(field().mappedCells().empty());
  EXPECT_EQ(std::count(field().mappedCells().begin(), field().mappedCells().end(), 1),
            static_cast<std::ptrdiff_t>(field().mappedCells().size()));
}

}  // namespace
