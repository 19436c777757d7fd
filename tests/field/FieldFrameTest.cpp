// The field's frame on the sample data, driven by scripted logical keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "running/game/GameFlow.h"
#include "running/game/SaveSlot.h"
#include "field/Door.h"
#include "core/file/nml/NmlDocument.h"
#include "map/MapGenerator.h"
#include "menu/Intermission.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/widget/MessageWindow.h"
#include "records/expression/GameResolver.h"
#include "tests/field/FieldFrameFixture.h"
#include "tests/map/MapTestSupport.h"
#include "tests/running/game/GameHelpers.h"

namespace Game {
namespace {

using Engine::i32;
using Engine::Math::Vector3;
using Key = Platform::Key;

// Held for 40 frames, a turn key fires on frames 1, 32, 36 and 40. The hall's
// player stands on (3, 2); up, right, down and left step by (-1, 0), (0, 1),
// (1, 0) and (0, -1) turned a quarter for each quarter that level x 30 + 89
// degrees lies in; the heading is level x 30 + 45. (2, 2) is a pillar. A step
// takes 11 frames, 22 with the slow key, then 2/3 with "ダッシュ".
TEST_F(FieldFrameTest, TheCameraTurnsByItsKeysAndTheStepsTurnWithIt) {
  struct Row {
    Key turn;
    int held;
    bool fixed, slow, dash;
    i32 level, yaw, time;
    Key move;
    std::pair<i32, i32> reached;
  };
  for (const Row& row : {Row{Key::X, 1, false, false, false, 6, 225, 11, Key::Up, {4, 2}},
                         Row{Key::Q, 40, false, true, false, 2, 105, 22, Key::Up, {3, 1}},
                         Row{Key::W, 1, false, false, true, 7, 255, 7, Key::Up, {3, 3}},
                         Row{Key::Q, 40, true, true, true, 6, 225, 14, Key::Left, {3, 3}}}) {
    Field::Symbol& player = enter("オープニング", "hall", 2);
    field().setAngleFixed(row.fixed);
    const_cast<FieldAbilities&>(game->party().fieldAbilities()).dash = row.dash;
    frames(row.held, {row.turn});
    frames(1, {row.move, row.slow ? Key::Z : row.move});
    EXPECT_EQ(std::tuple(field().angleLevel(), player.commands().empty() ? -1 : player.commands()[0].time,
                         camera().heading.target(), camera().pitch.target(), camera().zoom.target()),
              std::tuple(row.level, row.time, static_cast<float>(row.yaw), 37.f, 1.5f * Camera::kZoomScale));
    EXPECT_FLOAT_EQ(camera().anchor.target().z, player.position().z + 32.f);
    frames(row.time);
    EXPECT_EQ(cell(), row.reached) << row.held;
  }
  // A level from outside far beyond any play turns on from the same facing
  // within one turn: 2147483647 faces as 7.
  enter("オープニング", "hall", 2);
  field().setAngleLevel(2147483647);
  frames(1, {Key::W});
  EXPECT_EQ(field().angleLevel(), 8);
}

// Only arrivals count toward a battle; the mine (angle 30) looks down at 67
// degrees, its fourth floor (angle 10 more) at 77, its first (10 less) at
// 57; the automap opens 2 x "千里眼" + 1 about the player: 1 for the lead
// alone, 3 once Mio's lamp (千里眼) is counted.
TEST_F(FieldFrameTest, ArrivalsCountForBattlesAndTheKeysMapAndCompassAgreeOnScreen) {
  enter("灰の坑道", "b4", 1);
  frames(2);
  EXPECT_FLOAT_EQ(camera().pitch.target(), 77.f);
  enter("灰の坑道", "b1", 1);
  frames(10);
  EXPECT_EQ(game->encounter(), 0);
  frames(1, {Key::Left});
  frames(FieldScene::kStepFrames + 1);
  EXPECT_EQ(std::tuple(cell(), game->encounter(), camera().pitch.target()), std::tuple(std::pair(6, 2), 1, 57.f));
  for (const auto& [member, radius] : {std::pair{"Kessa", 1}, {"灯りのミオ", 3}}) {
    RandomGenerator::instance()->setSeed(3);
    game->party().recruit(*database().findShell(member));
    game->party().collectFieldAbilities();
    enter("灰の坑道", "b2", 9);
    std::vector<Engine::u8> expected(field().mappedCells().size(), 0);
    field().generator()->reveal(expected, cell().first, cell().second, radius);
    EXPECT_EQ(field().mappedCells(), expected) << member;
  }
  // Through the renderer's own view, at levels off the diagonals: each arrow
  // walks within 30 degrees of the way it names on screen; the player's mark
  // crosses the automap (against the stairs') and the compass pictures the
  // step within 18 degrees of the figure's way. b2's (2, 4) is open all round.
  game->stealth() = 1000;
  std::fill(field().mappedCells().begin(), field().mappedCells().end(), 1);
  walk({{2 - cell().first, 4 - cell().second}});
  GuiPictures::create();
  ModelTestSupport::RecordingHook hook;
  Vector3 from, to, compass, mark, stairs;
  Engine::Math::Matrix34 ring;
  const auto draw = [&](std::initializer_list<Key> held) {  // a step's frames; the last stairs (red) mark and compass
    frames(1, held);
    frames(FieldScene::kStepFrames);
    for (const auto& [batch, state] : hook.draws) {
      const Vector3 at(state.transform(0, 3), state.transform(1, 3), 0.f);
      ring = batch == "ring" ? state.transform : ring;
      stairs = batch == "cell" && !state.colors.ambient.y && at.length() > 1e-4f ? at : stairs;
    }
    hook.draws.clear();
  };
  const auto cosine = [](Vector3 a, Vector3 b) { a.z = b.z = 0.f; return a.dot(b) / a.length() / b.length(); };
  for (const i32 level : {1, 2, 4, 5, 7, 8, 10, 11}) {
    field().setAngleLevel(level);
    frames(1);
    for (int i = 0; i < 30; ++i) SceneRenderer::instance()->beginFrame();  // the camera settles
    draw({});
    for (const auto& [key, named] : {std::pair{Key::Up, Vector3(0, 1, 0)}, {Key::Right, Vector3(1, 0, 0)},
                                     {Key::Down, Vector3(0, -1, 0)}, {Key::Left, Vector3(-1, 0, 0)}}) {
      const auto [x0, y0] = cell();
      mark = stairs;
      SceneRenderer::instance()->project(&from, field().player()->position());
      draw({key});
      SceneRenderer::instance()->project(&to, field().player()->position());
      to -= from;
      mark -= stairs;
      const Vector3 step(static_cast<float>(cell().first - x0), static_cast<float>(cell().second - y0), 0.f);
      ring.multiply33(&compass, step);
      EXPECT_EQ(std::tuple(cosine(to, named) > .866f, cosine(mark, to) > .95f, cosine(compass, to) > .95f),
                std::tuple(true, true, true)) << level << static_cast<int>(key);
    }
  }
  GuiPictures::destroy();
}

// Key 4 opens the camp menu itself, ending in the floor's (else the site's)
// save row (the hall's save file, the archive's memory save). The field
// stands still under it, the keys going to the menu, and runs on once it is
// cancelled. A site's spot light hangs 32 units over the player at range 0.5.
TEST_F(FieldFrameTest, TheCampMenuHoldsTheFieldUntilCancelledAndTheSpotLightTheSite) {
  FieldScene::setCampMaker([](GameData& data, i32 mode) -> SubScene* { return new Intermission(data, mode); });
  for (const auto& [site, floor, event, saveRow, range] :
       {std::tuple{"オープニング", "hall", 2, 10, 1.f}, {"沈黙の書庫", "b1", 3, 11, .5f}}) {
    Light& light = SceneRenderer::instance()->pointLight() = Light();
    const Field::Symbol& player = enter(site, floor, event);
    const auto start = cell();
    frames(1);
    EXPECT_EQ(std::tuple(game->intermission(), light.requestedRange), std::tuple(nullptr, range));
    EXPECT_FLOAT_EQ(light.position.z * 400.f, range < 1.f ? player.position().z + 32.f : 10000.f * 400.f);
    frames(1, {Key::C});
    const auto* camp = dynamic_cast<Intermission*>(game->intermission());
    ASSERT_NE(camp, nullptr);
    const ListMenu& top = const_cast<Intermission*>(camp)->top().list();
    EXPECT_EQ(std::tuple(top.itemCount(), top.item(8)->id), std::tuple(9, saveRow));
    const i32 frame = field().frameCounter();
    frames(20, {Key::Up});
    frames(1);
    frames(1, {kCancel});
    EXPECT_EQ(std::tuple(game->intermission(), field().frameCounter()), std::tuple(nullptr, frame));
    frames(FieldScene::kStepFrames);
    EXPECT_EQ(std::tuple(cell(), field().frameCounter()), std::tuple(start, frame + FieldScene::kStepFrames));
  }
  FieldScene::setCampMaker(nullptr);
}

// A save whose player stands off its floor, or has none (a script may take it
// away and then open the camp), loads with the party at the floor's start
// (hall 2, mine b1 1, the changing floor's 9), from where it walks and camps;
// a floor where no cell can take it opens the continue scene. Read as the game
// reads saves, halts ending the run.
TEST_F(FieldFrameTest, ASaveWithItsPlayerLostLoadsAtTheFloorsStartOrTheContinueScene) {
  haltOnFailedReads();
  FieldScene::setCampMaker([](GameData& data, i32 mode) -> SubScene* { return new Intermission(data, mode); });
  fs().put("src/data/map/opening/void.txt", "fmf void;");
  fs().put("src/data/map/opening/void.fmf", MapTestSupport::fmf(1, 1, 8, {{255}, {0}, {0}, {255}, {255}, {0}}));
  NmlDocument taker;
  taker.loadFromText("taker.txt", "destroySymbol{ name player; }");
  for (const auto& [site, floor, event, position] :
       {std::tuple{"オープニング", "hall", 2, "9999,9999"}, {"オープニング", "hall", 2, "-2147483648,-2147483648"},
        {"灰の坑道", "b1", 1, ""}, {"灰の坑道", "b2", 9, ""}, {"オープニング", "void", 0, ""}}) {
    enter(site, floor, event);
    Script script;
    script.load(taker, *game);
    if (!*position) script.step(*game);
    const std::size_t symbols = field().symbols().size() + (*position ? 0 : 1);
    NmlDocument root;
    SaveSlot::writeHead(root, *game);
    std::string text = GameTestSupport::compactText(root);
    const std::size_t from = text.find("name player;position ") + 21;
    if (*position) text.replace(from, text.find(';', from) - from, position);
    NmlDocument edited;
    edited.loadFromText("0.sav", text.c_str());
    ASSERT_TRUE(SaveSlot::write(edited, 0));
    game.reset(SaveSlot::load(0));
    ASSERT_TRUE(game);
    if (event == 0) {
      EXPECT_EQ(std::tuple(field().continueRequests(), field().currentSite()), std::tuple(1, nullptr));
      continue;
    }
    EXPECT_EQ(field().symbols().size(), symbols);
    game->stealth() = 100;
    frames(1);
    ASSERT_TRUE(field().player()) << floor << position;
    const Map::Cell* here = field().map().cellAt(cell().first, cell().second);
    ASSERT_EQ(std::tuple(field().followed(), field().findSymbol("player"), here ? here->eventId : -1),
              std::tuple(field().player(), field().player(), event))
        << floor << position;
    const auto start = cell();
    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      if (const Map::Cell* next = field().map().cellAt(start.first + dx, start.second + dy); next && next->isPassable()) {
        walk({{dx, dy}});
        break;
      }
    }
    frames(1, {Key::C});
    EXPECT_EQ(std::tuple(cell() != start, game->intermission() != nullptr, field().player()->chara() != nullptr),
              std::tuple(true, true, true))
        << floor << position;
  }
  FieldScene::setCampMaker(nullptr);
}

// While text shows nothing moves (the field's lines speak from the left);
// while a script waits (a common script that sleeps) the player stays and
// the others go on.
TEST_F(FieldFrameTest, NothingMovesWhileTextShowsNorThePlayerWhileAScriptWaits) {
  FaceSet::create();
  for (const bool text : {true, false}) {
    if (!text) {
      fs().put(FieldScene::kCommonScript, std::string("sleep{ value 2; }"));
      FileLoader::destroy();
      FileLoader::create();
      game = std::make_unique<GameData>();
    }
    Field::Symbol& player = enter("オープニング", "hall", 2);
    Field::Symbol& other = field().addSymbol("other", "", 2, 2, 0.f);
    other.move("move", 4, 0, 1);
    other.move("delete", 0);
    if (text) field().say("Kessa", "……");
    frames(20, {Key::Up});
    EXPECT_EQ(std::tuple(player.x(), player.y(), other.y()), std::tuple(3, 2, text ? 2 : 3));
    MessageWindow& window = game->messageWindow();
    EXPECT_EQ(std::pair(window.slot(0).face() != nullptr, window.slot(1).face() != nullptr), std::pair(text, false));
  }
  FaceSet::destroy();
}

// Standing on a link posts the change (on entering's frame); the new floor
// comes 32 frames later and the field runs again after one more. Continue
// requests add up.
TEST_F(FieldFrameTest, LinksAndEscapesChangeTheFloorAfterTheFade) {
  for (const auto& [site, floor, event, reached, continues] :
       {std::tuple{"灰の坑道", "b1", 2, "b2", 0}, {"灰の坑道", "b1", 3, "b1", 1}, {"オープニング", "hall", 1, "hall", 2}}) {
    enter(site, floor, event);
    frames(FieldScene::kChangeFrames - 1);
    EXPECT_EQ(std::tuple(std::string(field().floorName()), SceneRenderer::instance()->fadeTarget()),
              std::tuple(floor, 255));
    frames(1);
    // A new floor counts its frames afresh.
    EXPECT_EQ(std::tuple(std::string(field().floorName()), field().frameCounter(), field().continueRequests(),
                         SceneRenderer::instance()->fadeTarget(), field().isChangingScene()),
              std::tuple(reached, std::string(floor) == reached ? 33 : 0, continues, 0, true));
    frames(1);
    EXPECT_FALSE(field().isChangingScene());
  }
}

// Nothing marks the changing floors' rope (event 3), so it says what it is
// and asks: "no" keeps the party there, unasked until it steps off; "yes"
// (the first item) climbs to the continue scene.
TEST_F(FieldFrameTest, TheRopeOfTheChangingFloorsAsksBeforeItTakesThePartyUp) {
  const auto answers = GameFlow::resolverOf(*game);
  ExpressionStuff::GameResolver::install(answers.get());
  for (const bool climbs : {false, true}) {
    enter("灰の坑道", "b2", 3);
    const i32 requests = field().continueRequests();
    // The line first, then the question.
    frames(20);
    frames(1, {kDecide});
    frames(ListMenu::kInputDelay + 2);
    if (!climbs) frames(1, {Key::Down});
    frames(2);
    frames(1, {kDecide});
    frames(FieldScene::kChangeFrames + 2);
    EXPECT_EQ(std::tuple(field().continueRequests(), game->variables().isFlagOn("縄の問い")),
              std::tuple(requests + (climbs ? 1 : 0), true))
        << climbs;
    if (climbs) continue;
    const auto [x, y] = cell();
    walk({{1, 0}});
    EXPECT_EQ(std::tuple(cell() != std::pair(x, y), game->variables().isFlagOn("縄の問い"), field().continueRequests()),
              std::tuple(true, false, requests));
  }
  ExpressionStuff::GameResolver::install(nullptr);
}

// The mine's hall coins (event 12 at (10, 5)) and a chest a script puts by
// the entry (event 13 at (5, 2)) are opened by walking into them. Through b2
// and back neither comes again; the herb's chest (7) waits unopened, and the
// ledge's (9), opened under the flag games saved before, stays gone.
TEST_F(FieldFrameTest, OpenedChestsStayOpenThroughOtherFloors) {
  const MapSiteData* mine = database().findSite("灰の坑道");
  const ToolData* herb = database().findTool("薬草");
  NmlDocument maker;
  maker.loadFromText("maker.txt", "createContainer{ position 13; name 箱; tool 薬草; money 40; }");
  std::unique_ptr<ExpressionStuff::GameResolver> answers;
  const auto enterFirstFloor = [&] {
    answers = GameFlow::resolverOf(*game);
    ExpressionStuff::GameResolver::install(answers.get());
    field().applySceneChange(mine, "b1", 1);
    Script script;
    script.load(maker, *game);
    script.step(*game);
    frames(1);
  };
  const auto chests = [this] {
    return std::vector<bool>{field().hasSymbol("Container_b1_箱"), field().hasSymbol("Container_b1_12"),
                             field().hasSymbol("Container_b1_07"), field().hasSymbol("Container_b1_隠し")};
  };
  game->variables().flagOn("坑道の番人討伐");  // no sentry in the way
  game->variables().flagOn("Container_b1_Container_b1_隠し");
  game->stealth() = 100;
  enterFirstFloor();
  EXPECT_EQ(chests(), std::vector<bool>({true, true, true, false}));
  const auto given = std::pair(game->money() + 190, game->bag().countItem(herb) + 1);
  walk({{0, 1}, {-1, 0}, {0, 1}, {0, 1}, {0, 1}, {1, 0}, {1, 0}, {1, 0}, {1, 0}});
  EXPECT_EQ(std::tuple(cell(), chests()), std::tuple(std::pair(9, 5), std::vector<bool>({false, false, true, false})));
  field().applySceneChange(mine, "b2", 9);
  enterFirstFloor();
  EXPECT_EQ(std::tuple(chests(), std::pair(game->money(), game->bag().countItem(herb))),
            std::tuple(std::vector<bool>({false, false, true, false}), given));
  ExpressionStuff::GameResolver::install(nullptr);
}

// A big door at event 13 ((5, 2), turned 0, so covering (6, 2) too) opens
// when the player walks into either of its cells, and then lets them by.
TEST_F(FieldFrameTest, EitherCellOfABigDoorOpensIt) {
  const FieldAnswers answers(*game);
  game->variables().flagOn("坑道の番人討伐");
  game->stealth() = 100;
  for (const auto& [side, way] : {std::pair{0, std::pair(5, 1)}, {1, std::pair(6, 1)}}) {
    enter("灰の坑道", "b1", 1);
    field().placeDoor(13, 0, true, Field::Door::kSystemKey);
    if (side == 0) walk({{-1, 0}});
    walk({{0, 1}});
    EXPECT_EQ(std::tuple(cell(), field().hasSymbol("door13")), std::tuple(way, false)) << side;
    walk({{0, 1}});
    EXPECT_EQ(cell(), std::pair(way.first, 2)) << side;
  }
}

// Contacts as the frame meets them: a band walking into the player brings
// its battle; two bands walking into each other only meet.
TEST_F(FieldFrameTest, ABandWalkingIntoThePlayerFightsAndTwoBandsOnlyMeet) {
  const FieldAnswers answers(*game);
  game->variables().flagOn("坑道の番人討伐");
  game->party().recruit(*database().findShell("Kessa"));
  const RaceData& slime = database().findRace("粘体");
  for (const auto& [x, y, dx, dy, target, fights] :
       {std::tuple{6, 2, 0, -1, "player", true}, {7, 3, -1, 0, "enemy_6.3", false}}) {
    enter("灰の坑道", "b1", 1);
    Field::Symbol& still = field().placeEnemy(slime, 6, 3);
    Field::Symbol& band = field().placeEnemy(slime, x, y);
    still.clearCommands();
    still.move("wait", 60);
    band.clearCommands();
    band.move("move", 8, dx, dy);
    band.move("wait", 60);
    bool met = false;
    for (int i = 0; i < 4; ++i) frames(1), met = met || field().hasFloorEvent(band.name().c_str(), target);
    EXPECT_EQ(std::tuple(met, field().transition() != nullptr), std::tuple(true, fights)) << target;
  }
}

}  // namespace
}  // namespace Game
