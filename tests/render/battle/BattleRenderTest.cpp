// The first 31 frames of a battle in the sample mine, drawn offscreen: the
// ground brightens out of black and the units rise onto their cells; the
// command screen, numbers and status icons over units; a cast's dim and its
// number. Some frames are kept as images of the build tree.

#include <cstdio>
#include <memory>
#include <string>

#include "Engine/Math/Vector3.h"
#include "Engine/Sound/Manager.h"
#include "battle/Battle.h"
#include "battle/EndPhases.h"
#include "battle/TurnPhases.h"
#include "battle/UnitStatusIcons.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "presentation/picture/GuiPictures.h"
#include "render/InterfaceRender.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "tests/Services.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

// A cast's sound lists read their waves: the sound device is among the
// services.
class BattleRender : public TestServices::Test<TestServices::kConstants | TestServices::kSampleDatabase |
                                                   TestServices::kRandom | TestServices::kSound |
                                                   TestServices::kGuiPictures,
                                               InterfaceRender> {
 protected:
  void SetUp() override {
    Test::SetUp();
    Game::RandomGenerator::instance()->setSeed(7);
    waitForTextures(Game::GuiPictures::instance()->gauge());
    game = std::make_unique<Game::GameData>();
  }
  void TearDown() override {
    battle.reset();
    game.reset();
    Test::TearDown();
  }

  void recruit(const char* shell, i32 row, i32 column) {
    Game::PartyMembers::Entry* entry = game->party().recruit(*Game::Database::instance()->findShell(shell));
    ASSERT_TRUE(entry) << shell << " among " << game->party().members().count();
    entry->row = row;
    entry->column = column;
  }
  // A frame of the application: the step, then the queue drawn.
  Image runFrame() {
    nextFrame();
    battle->update();
    return finishFrame();
  }
  // The screen point of a world point.
  static void onScreen(const Vector3& world, i32* x, i32* y) {
    Vector3 projected;
    renderer().project(&projected, world);
    *x = static_cast<i32>(projected.x);
    *y = static_cast<i32>(projected.y);
  }
  // The pixel a third up the unit's height over its cell.
  u32 bodyPixel(const Image& image, const Game::Unit& unit) const {
    Vector3 point;
    unit.getHomePosition(point);
    point.z += unit.getSize() * 0.3f;
    i32 x = 0;
    i32 y = 0;
    onScreen(point, &x, &y);
    return at(image, x, y);
  }
  static int brightness(u32 pixel) { return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)); }
  // Each channel within a margin of the colour's.
  static bool near(u32 pixel, u32 colour) {
    for (int shift : {0, 8, 16}) {
      const int a = static_cast<int>((pixel >> shift) & 0xFF);
      const int b = static_cast<int>((colour >> shift) & 0xFF);
      if (a - b > 0x30 || b - a > 0x30) return false;
    }
    return true;
  }

  std::unique_ptr<Game::GameData> game;
  std::unique_ptr<Game::Battle> battle;
};

TEST_F(BattleRender, TheGroundBrightensAndTheUnitsStandOnTheirCells) {
  recruit("Kessa", 0, 1);
  recruit("灯りのミオ", 1, 3);
  Game::BattleSettings settings;
  settings.sceneName = "坑道";
  battle = std::make_unique<Game::Battle>(*game, settings);
  Game::Database& database = *Game::Database::instance();
  Game::Unit* slime = battle->addEnemy(*database.findEnemy("泥スライム"), 0, 1, 1.f, 0);
  Game::Unit* soldier = battle->addEnemy(*database.findEnemy("骨の兵士"), 1, 3, 1.f, 0);
  ASSERT_TRUE(slime && soldier);
  for (Game::OwnedList<Game::SceneModelSet::NamedResourceSet>::Iterator it(battle->sceneModels().resourceSets());
       !it.isEnd(); it.next()) {
    waitForTextures(it.value()->set);
  }
  ASSERT_GT(battle->sceneModels().entries().count(), 0) << "the mine's ground";

  // The middle of the ground between the sides.
  i32 groundX = 0;
  i32 groundY = 0;
  onScreen(Vector3(0.f, 32.f, 0.f), &groundX, &groundY);
  int previous = -1;
  Image image;
  for (int frame = 1; frame <= 31; ++frame) {
    image = runFrame();
    if (frame % 10 == 1) {
      char name[64];
      std::snprintf(name, sizeof name, "battle_frame_%02d.tga", frame);
      keep(image, name);
      const int ground = brightness(at(image, groundX, groundY));
      EXPECT_GT(ground, previous) << "frame " << frame;
      previous = ground;
    }
  }
  EXPECT_FLOAT_EQ(battle->dim(), 1.f);
  EXPECT_GT(previous, 0x60);

  const Game::Unit& kessa = *battle->unitAt(0);
  const Game::Unit& mio = *battle->unitAt(1);
  EXPECT_TRUE(near(bodyPixel(image, kessa), 0xc04040)) << std::hex << bodyPixel(image, kessa);
  EXPECT_TRUE(near(bodyPixel(image, mio), 0x4060c0)) << std::hex << bodyPixel(image, mio);
  EXPECT_TRUE(near(bodyPixel(image, *slime), 0x708040)) << std::hex << bodyPixel(image, *slime);
  EXPECT_TRUE(near(bodyPixel(image, *soldier), 0xe0dcc8)) << std::hex << bodyPixel(image, *soldier);
}

// The command screen: the party's status windows in a row along the bottom,
// the energy gauge's purple pips over them (none in the top-left corner,
// where the lists open), the first member's command list; then a number
// rising from the slime's front point. Both frames are kept.
TEST_F(BattleRender, TheCommandFrameAndANumberOverAUnit) {
  recruit("Kessa", 0, 1);
  recruit("灯りのミオ", 1, 3);
  Game::BattleSettings settings;
  settings.sceneName = "坑道";
  battle = std::make_unique<Game::Battle>(*game, settings);
  Game::Unit* slime = battle->addEnemy(*Game::Database::instance()->findEnemy("泥スライム"), 0, 1, 1.f, 0);
  ASSERT_TRUE(slime);
  for (Game::OwnedList<Game::SceneModelSet::NamedResourceSet>::Iterator it(battle->sceneModels().resourceSets());
       !it.isEnd(); it.next()) {
    waitForTextures(it.value()->set);
  }
  Image image;
  for (int frame = 1; frame <= 110; ++frame) image = runFrame();
  keep(image, "battle_command.tga");
  EXPECT_TRUE(hasLightPixel(image, -316, -166, -200, -184)) << "the commanded member's raised window";
  EXPECT_TRUE(hasLightPixel(image, -188, -182, -72, -200)) << "the second member's window";
  EXPECT_TRUE(hasLightPixel(image, -316, 138, -200, 110)) << "the command list";
  const auto purple = [](u32 pixel) {
    const u32 r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return b >= 0xE0 && r >= 0x90 && r <= 0xE0 && g <= 0xA0;
  };
  EXPECT_EQ(inkOf(image, purple, PixelBox{0, 0, 300, 160}).count, 0) << "the top-left corner";
  EXPECT_GT(inkOf(image, purple, PixelBox{80, 390, 300, 460}).count, 40) << "over the windows";

  Vector3 front;
  slime->getFrontPoint(front);
  slime->messages().queueDamage(123, 0xFFFFFFFF);
  for (int frame = 1; frame <= 12; ++frame) image = runFrame();
  keep(image, "battle_numbers.tga");
  i32 x = 0;
  i32 y = 0;
  onScreen(front, &x, &y);
  EXPECT_TRUE(hasLightPixel(image, x - 40, y + 80, x + 40, y - 10)) << x << "," << y;
}

// A poisoned, focused Kessa: the two icons in a row over her head, purple
// left of white, kept as an image.
TEST_F(BattleRender, StatusIconsShowOverAUnit) {
  recruit("Kessa", 0, 1);
  Game::BattleSettings settings;
  settings.sceneName = "坑道";
  battle = std::make_unique<Game::Battle>(*game, settings);
  Game::BattlePictures& pictures = Game::Database::instance()->maps().battle;
  for (const char* set : {"毒", "集中"}) waitForTextures(pictures.stateSet(set)->set());
  Game::Unit& kessa = *battle->unitAt(0);
  kessa.setStateLevel("毒", 1);
  kessa.setStateLevel("集中", 1);
  Image image;
  for (int frame = 1; frame <= 40; ++frame) image = runFrame();
  keep(image, "battle_status_icons.tga");
  Vector3 head;
  kessa.pointAlong(head, Vector3(0.f, 0.f, 1.f));
  i32 x = 0;
  i32 y = 0;
  onScreen(head, &x, &y);
  const i32 iconY = y + static_cast<i32>(Game::UnitStatusIcons::kRaise);
  EXPECT_TRUE(near(at(image, x - 9, iconY), 0xa040c0)) << std::hex << at(image, x - 9, iconY);
  EXPECT_TRUE(near(at(image, x + 9, iconY), 0xffffff)) << std::hex << at(image, x + 9, iconY);
}

// A won battle: the survivor's panel of what it learnt beside it, kept as
// an image; no message window is left over it.
TEST_F(BattleRender, AWinShowsTheSurvivorsPanel) {
  recruit("Kessa", 1, 2);
  Game::BattleSettings settings;
  settings.sceneName = "坑道";
  battle = std::make_unique<Game::Battle>(*game, settings);
  for (int frame = 1; frame <= 31; ++frame) runFrame();
  battle->spoils().addRewards(0, 5000, 0);
  battle->finish(Game::Battle::kWin);
  runFrame();
  auto* win = dynamic_cast<Game::BattleStuff::Win*>(battle->over());
  ASSERT_TRUE(win);
  ASSERT_EQ(win->panels().size(), 1u);
  ASSERT_FALSE(win->panels()[0].lines().empty()) << "a level gained";
  game->messages().clear();
  Image image;
  for (int frame = 0; frame < 40; ++frame) image = runFrame();
  keep(image, "battle_win_panel.tga");
  Vector3 centre;
  battle->unitAt(0)->getPosition(centre);
  i32 x = 0;
  i32 y = 0;
  onScreen(centre, &x, &y);
  // The panel's first line right of and above the unit's centre.
  EXPECT_TRUE(hasLightPixel(image, x + 40, y + 60, x + 300, y + 20));
}

// Kessa's blow at the slime, queued behind a pause while the ground
// brightens: the scene dims to black under the effect, then brightens with
// the white number over the slime, not hidden by its body. Both kept. Her
// status window, placed as the command screen places it, stays through the
// cast and the turn's end.
TEST_F(BattleRender, ACastDimsTheSceneThenShowsItsNumberOverTheTarget) {
  recruit("Kessa", 0, 1);
  Game::BattleSettings settings;
  settings.sceneName = "坑道";
  battle = std::make_unique<Game::Battle>(*game, settings);
  Game::Unit& slime = *battle->addEnemy(*Game::Database::instance()->findEnemy("泥スライム"), 0, 1, 1.f, 0);
  battle->unitAt(0)->planAction(0, Game::Ability::fromName("斬り払い"), slime.place());
  battle->unitAt(0)->setCharge(0);
  battle->lineUpParty(nullptr, 0);
  battle->pushWait(40);
  battle->pushCast();
  const auto windowShown = [&](const Image& image) { return hasLightPixel(image, -316, -182, -200, -200); };
  const auto runUntilDim = [&](float level) {
    Image image = runFrame();
    for (int n = 0; n < 300 && battle->dim() != level; ++n) image = runFrame();
    return image;
  };
  i32 x = 0, y = 0;
  onScreen(Vector3(0.f, 32.f, 0.f), &x, &y);
  Image image = runUntilDim(0.f);
  keep(image, "battle_cast_dimmed.tga");
  EXPECT_LT(brightness(at(image, x, y)), 0x08) << "the ground";
  EXPECT_TRUE(windowShown(image)) << "in the cast";
  image = runUntilDim(1.f);
  keep(image, "battle_cast_number.tga");
  Vector3 front;
  slime.getFrontPoint(front);
  onScreen(front, &x, &y);
  // White, as the digits are, over the slime (its pale eyes are yellower).
  const auto white = [](u32 pixel) { return (pixel & 0xF0F0F0) == 0xF0F0F0; };
  EXPECT_GT(inkOf(image, white, PixelBox{x + 360, 240 - y, x + 440, 310 - y}).count, 40);
  for (int n = 0; n < 300 && !dynamic_cast<Game::BattleStuff::TurnEnd*>(battle->runningPhase()); ++n) runFrame();
  ASSERT_TRUE(dynamic_cast<Game::BattleStuff::TurnEnd*>(battle->runningPhase()));
  EXPECT_TRUE(windowShown(runFrame())) << "at the turn's end";
}

// A lost battle: the game-over ring sinks over the field in dark red.
TEST_F(BattleRender, AGameOverShowsItsPicture) {
  recruit("Kessa", 1, 2);
  Game::BattleSettings settings;
  settings.sceneName = "坑道";
  battle = std::make_unique<Game::Battle>(*game, settings);
  for (int frame = 1; frame <= 31; ++frame) runFrame();
  battle->finish(Game::Battle::kGameOver);
  Image image;
  for (int frame = 0; frame < 60; ++frame) image = runFrame();
  keep(image, "battle_game_over.tga");
  int red = 0;
  for (i32 y = -296; y < 300; y += 4) {
    for (i32 x = -400; x < 400; x += 4) {
      const u32 pixel = at(image, x, y);
      const int r = static_cast<int>((pixel >> 16) & 0xFF);
      const int g = static_cast<int>((pixel >> 8) & 0xFF);
      const int b = static_cast<int>(pixel & 0xFF);
      if (r > 0x60 && g * 2 < r && b * 2 < r) ++red;
    }
  }
  EXPECT_GT(red, 20);
}

}  // namespace
}  // namespace RenderTest
