// The healing rain of the sample data drawn offscreen on frame 128: its
// drops and ripples light the ground about the target; the frame is kept as
// an image of the build tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "effect/CastCamera.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class HealRainRender : public EffectRender {
 protected:
  HealRainRender() : EffectRender(57) {}
  void TearDown() override {
    effect.reset();
    action.reset();
    EffectRender::TearDown();
  }

  std::unique_ptr<EffectTestSupport::RecordingAction> action;
  std::unique_ptr<Game::Effect::Cast> effect;
};

TEST_F(HealRainRender, DropsAndRipplesLightTheGroundAboutTheTarget) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 4, "Kessa");
  Game::Unit& target = unit(targetGhost, 1, 1, 0, "Kessa");
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
