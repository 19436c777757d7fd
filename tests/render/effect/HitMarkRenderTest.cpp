// The common hit mark and sparks of the sample data drawn offscreen on a
// unit, as an effect places them; the frame is kept as an image of the build
// tree.

#include <cstdlib>
#include <memory>

#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/Cast.h"
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

// On its first frame: the hit mark and 16 sparks on the first target.
class HitOnce : public Game::Effect::Cast {
 public:
  Engine::i32 update() override {
    if (frame() == 0) {
      launchHitMarks();
      launchSparksOnTargets(16);
    }
    return frame();
  }
};

class HitMarkRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(49);
    battle.pool = &stage.pool;
  }
  void TearDown() override {
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    InterfaceRender::TearDown();
  }

  Game::Unit& unit(UnitTestSupport::TestGhost& ghost, int side) {
    ghost.enemy = side == 1;
    // A picture the list lacks: a unit of size 256 whose node shows nothing.
    ghost.appearance = "見えない";
    units.push_back(std::make_unique<Game::Unit>(ghost, &battle));
    battle.units.push_back(units.back().get());
    units.back()->placeAt(0, 2);
    return *units.back();
  }
  // Light pixels in the box of that half size about a screen point (y up).
  int lightPixels(const Image& image, i32 x, i32 y, i32 half) const {
    int count = 0;
    for (i32 dy = -half; dy <= half; ++dy) {
      for (i32 dx = -half; dx <= half; ++dx) {
        const u32 pixel = at(image, x + dx, y + dy);
        count += ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) > 0x60 ? 1 : 0;
      }
    }
    return count;
  }

  EffectTestSupport::RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  UnitTestSupport::TestGhost casterGhost;
  UnitTestSupport::TestGhost targetGhost;
  std::vector<std::unique_ptr<Game::Unit>> units;
};

// The mark and the sparks light the screen about the target's centre and
// nowhere far from it; before they are placed the unit, which shows no figure,
// leaves that place dark.
TEST_F(HitMarkRender, TheHitMarkAndSparksLightTheTargetsCentre) {
  Game::Unit& caster = unit(casterGhost, 0);
  Game::Unit& target = unit(targetGhost, 1);
  EffectTestSupport::RecordingAction action(stage, caster, Game::Ability());
  action.add(target, Game::Effect::ActionRecord::kDamage);
  Vector3 centre;
  target.getPosition(centre);
  Vector3 onScreen;
  renderer().project(&onScreen, centre);
  const i32 x = static_cast<i32>(onScreen.x);
  const i32 y = static_cast<i32>(onScreen.y);
  ASSERT_LT(std::abs(x), 340);
  ASSERT_LT(std::abs(y), 240);

  stage.pool.draw();
  const Image before = finishFrame();
  const int darkBefore = lightPixels(before, x, y, 24);
  nextFrame();

  HitOnce effect;
  effect.bind(action);
  effect.tick();
  for (int step = 0; step < 3; ++step) {
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_hit_mark_and_sparks.tga");

  EXPECT_GT(lightPixels(image, x, y, 24), darkBefore + 40);
  EXPECT_EQ(lightPixels(image, x > 0 ? -360 : 360, y > 0 ? -260 : 260, 20), 0);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
