// The stamp of the sample data drawn offscreen on the frame after its
// landing: the ring and the ring of dust about the aimed cell. The frame is
// kept as an image of the build tree.

#include <cstdlib>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/Cast.h"
#include "effect/bank/Piece.h"
#include "presentation/scene/SceneNodePool.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/effect/RecordingStage.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class StampRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Engine::Sound::Manager::create();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(53);
    battle.pool = &stage.pool;
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    units.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
    InterfaceRender::TearDown();
  }

  // A unit whose picture the list lacks: size 256, a node that shows
  // nothing, so only the effect lights the screen.
  Game::Unit& unit(UnitTestSupport::TestGhost& ghost, int side, int row, int column) {
    ghost.enemy = side == 1;
    ghost.appearance = "見えない";
    units.push_back(std::make_unique<Game::Unit>(ghost, &battle));
    battle.units.push_back(units.back().get());
    units.back()->placeAt(row, column);
    return *units.back();
  }
  // Light pixels in the box of that half size about a screen point (y up).
  int lightPixels(const Image& image, const Vector3& onScreen, i32 half) const {
    const i32 x = static_cast<i32>(onScreen.x);
    const i32 y = static_cast<i32>(onScreen.y);
    int count = 0;
    for (i32 dy = -half; dy <= half; ++dy) {
      for (i32 dx = -half; dx <= half; ++dx) {
        const u32 pixel = at(image, x + dx, y + dy);
        count += ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) > 0x60 ? 1 : 0;
      }
    }
    return count;
  }
  Vector3 onScreen(const Vector3& world) {
    Vector3 out;
    renderer().project(&out, world);
    return out;
  }

  EffectTestSupport::RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  UnitTestSupport::TestGhost casterGhost;
  UnitTestSupport::TestGhost targetGhost;
  std::vector<std::unique_ptr<Game::Unit>> units;
};

// Dark about the aimed cell before; on frame 81 the ring lights the landed
// caster's middle and the dust the cell's rim, 128 out on either side,
// leaving the cell's own middle dark.
TEST_F(StampRender, TheLandingRingsTheAimedCellWithLightAndDust) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 1, 2);
  EffectTestSupport::RecordingAction action(stage, caster, Game::Ability());
  action.add(target, Game::Effect::ActionRecord::kDamage);
  action.cell = Game::Place{1, 1, 2};
  Game::Unit::cellPosition(action.aim, 1, 1, 2);
  const Vector3 middle = onScreen(action.aim);
  ASSERT_LT(std::abs(middle.x), 340.f);
  ASSERT_LT(std::abs(middle.y), 240.f);
  Vector3 rim[2] = {action.aim, action.aim};
  rim[0].x -= 128.f;
  rim[1].x += 128.f;

  stage.pool.draw();
  const Image before = finishFrame();
  const int middleBefore = lightPixels(before, middle, 8);
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> stamp = Game::Effect::Cast::create("ふみつぶす");
  ASSERT_NE(stamp, nullptr);
  stamp->bind(action);
  while (stamp->frame() <= 81) {
    stamp->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_stamp_landing.tga");

  // The ring stands about the landed caster's centre, half its size above
  // the aimed cell; the dust lies on the cell's ground.
  Vector3 centre;
  caster.getPosition(centre);
  EXPECT_NEAR(centre.x, action.aim.x, 16.f);
  EXPECT_NEAR(centre.y, action.aim.y, 16.f);
  const Vector3 ring = onScreen(centre);
  EXPECT_GT(lightPixels(image, ring, 16), lightPixels(before, ring, 16) + 40);
  EXPECT_EQ(lightPixels(image, middle, 8), middleBefore);
  for (const Vector3& point : rim) {
    const Vector3 at = onScreen(point);
    ASSERT_LT(std::abs(at.x), 380.f);
    ASSERT_LT(std::abs(at.y), 280.f);
    EXPECT_GT(lightPixels(image, at, 10), lightPixels(before, at, 10) + 10);
  }
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
