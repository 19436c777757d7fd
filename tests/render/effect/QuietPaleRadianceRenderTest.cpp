// QuietPaleRadiance drawn offscreen on frame 100: its caster at the field's
// centre, the first motes of the double spiral lit on both arms, the middle
// dark. The frame is kept as an image of the build tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class QuietPaleRadianceRender : public EffectRender {
 protected:
  QuietPaleRadianceRender() : EffectRender(61) {}
};

TEST_F(QuietPaleRadianceRender, OnFrameHundredTheSpiralWindsAboutTheFieldCentre) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 1, 2);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target);
  // The first pair of motes stands 32 either way along x from the centre.
  const Vector3 centre = onScreen(Vector3(0.f, 0.f, 0.f));
  const Vector3 arms[2] = {onScreen(Vector3(32.f, 0.f, 0.f)), onScreen(Vector3(-32.f, 0.f, 0.f))};
  ASSERT_LT(std::abs(centre.x), 300.f);
  ASSERT_LT(std::abs(centre.y), 200.f);

  stage.pool.draw();
  const Image before = finishFrame();
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> radiance = Game::Effect::Cast::create("QuietPaleRadiance");
  ASSERT_NE(radiance, nullptr);
  radiance->bind(action);
  while (radiance->frame() <= 100) {
    radiance->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_quiet_pale_radiance.tga");

  for (const Vector3& arm : arms) {
    EXPECT_GT(lightPixels(image, arm, 4), lightPixels(before, arm, 4) + 20);
  }
  EXPECT_EQ(lightPixels(image, centre, 2), lightPixels(before, centre, 2));
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
