// Battles in the sample mine, drawn offscreen: status icons over a unit, a
// cast's dim and its number, the win's panel and the game over's picture.
// The command screen itself is the smoke play's golden. Some frames are kept
// as images of the build tree.

#include <cstdio>
#include <memory>
#include <string>

#include "Engine/Math/Vector3.h"
#include "Engine/Sound/Manager.h"
#include "battle/Battle.h"
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

  // A battle in the sample mine, the members recruited first.
  void open() {
    Game::BattleSettings settings;
    settings.sceneName = "坑道";
    battle = std::make_unique<Game::Battle>(*game, settings);
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
  static int brightness(u32 pixel) { return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)); }

  std::unique_ptr<Game::GameData> game;
  std::unique_ptr<Game::Battle> battle;
};

// A poisoned, focused Kessa: the two icons in a row over her head, purple
// left of white, kept as an image.
TEST_F(BattleRender, StatusIconsShowOverAUnit) {
  recruit("Kessa", 0, 1);
  open();
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
  EXPECT_TRUE(colorNear(0xFFA040C0u, at(image, x - 9, iconY), 0x30));
  EXPECT_TRUE(colorNear(0xFFFFFFFFu, at(image, x + 9, iconY), 0x30));
}

// A won battle: the survivor's panel of what it learnt beside it, kept as
// an image; no message window is left over it.
TEST_F(BattleRender, AWinShowsTheSurvivorsPanel) {
  recruit("Kessa", 1, 2);
  open();
  for (int frame = 1; frame <= 31; ++frame) runFrame();
  battle->spoils().addRewards(0, 5000, 0);
  battle->finish(Game::Battle::kWin);
  runFrame();
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
  open();
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
  open();
  for (int frame = 1; frame <= 31; ++frame) runFrame();
  battle->finish(Game::Battle::kGameOver);
  Image image;
  for (int frame = 0; frame < 60; ++frame) image = runFrame();
  keep(image, "battle_game_over.tga");
  const auto darkRed = [](u32 pixel) {
    const int r = static_cast<int>((pixel >> 16) & 0xFF), g = static_cast<int>((pixel >> 8) & 0xFF);
    const int b = static_cast<int>(pixel & 0xFF);
    return r > 0x60 && g * 2 < r && b * 2 < r;
  };
  EXPECT_GT(inkOf(image, darkRed).count, 20 * 16);
}

}  // namespace
}  // namespace RenderTest
