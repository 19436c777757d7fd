// The healing rain of the sample data drawn offscreen on frame 128: its
// drops and ripples light the ground about the target; the frame is kept as
// an image of the build tree.

#include <cstdlib>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/Cast.h"
#include "effect/CastCamera.h"
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

class HealRainRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    Engine::Sound::Manager::create();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(57);
    battle.pool = &stage.pool;
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    effect.reset();
    action.reset();
    units.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
    InterfaceRender::TearDown();
  }

  Game::Unit& unit(UnitTestSupport::TestGhost& ghost, int side, int column) {
    ghost.enemy = side == 1;
    ghost.appearance = "Kessa";
    units.push_back(std::make_unique<Game::Unit>(ghost, &battle));
    battle.units.push_back(units.back().get());
    units.back()->placeAt(1, column);
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
  std::unique_ptr<EffectTestSupport::RecordingAction> action;
  std::unique_ptr<Game::Effect::Cast> effect;
};

TEST_F(HealRainRender, DropsAndRipplesLightTheGroundAboutTheTarget) {
  Game::Unit& caster = unit(casterGhost, 0, 4);
  Game::Unit& target = unit(targetGhost, 1, 0);
  Vector3 ground;
  target.getPosition(ground);
  ground.z = 0.f;
  const Vector3 groundOnScreen = onScreen(ground);
  ASSERT_LT(std::abs(groundOnScreen.x), 360.f);
  ASSERT_LT(std::abs(groundOnScreen.y), 260.f);

  stage.pool.draw();
  const Image before = finishFrame();
  const int lightBefore = lightPixels(before, groundOnScreen, 48);
  nextFrame();

  action = std::make_unique<EffectTestSupport::RecordingAction>(stage, caster, Game::Ability());
  action->add(target, Game::Effect::ActionRecord::kRecovery);
  effect = Game::Effect::Cast::create("恵雨");
  ASSERT_NE(effect, nullptr);
  effect->bind(*action);
  while (effect->frame() <= 128) {
    effect->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_heal_rain.tga");

  EXPECT_GT(lightPixels(image, groundOnScreen, 48), lightBefore + 100);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
