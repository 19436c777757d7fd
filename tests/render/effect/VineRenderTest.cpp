// The vines of the sample data drawn offscreen on frame 40: three vines about
// the target's feet, the first whole and the later ones growing. The frame is
// kept as an image of the build tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class VineRender : public EffectRender {
 protected:
  VineRender() : EffectRender(61) {}
};

TEST_F(VineRender, VinesLightTheGroundAboutTheTarget) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 3);
  Game::Unit& target = unit(targetGhost, 1, 1, 1);
  EffectTestSupport::RecordingAction action(stage, caster, Game::Ability());
  action.add(target, Game::Effect::ActionRecord::kDamage);
  Vector3 feet;
  target.getFrontPoint(feet);
  const Vector3 feetOnScreen = onScreen(feet);
  ASSERT_LT(std::abs(feetOnScreen.x), 340.f);
  ASSERT_LT(std::abs(feetOnScreen.y), 240.f);

  stage.pool.draw();
  const Image before = finishFrame();
  const int lightBefore = lightPixels(before, feetOnScreen, 48);
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> vine = Game::Effect::Cast::create("蔦");
  ASSERT_NE(vine, nullptr);
  vine->bind(action);
  while (vine->frame() <= 40) {
    vine->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_vine.tga");

  EXPECT_GT(lightPixels(image, feetOnScreen, 48), lightBefore + 100);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
