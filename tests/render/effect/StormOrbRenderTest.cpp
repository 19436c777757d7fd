// The storm orb of the sample data drawn offscreen half way through its
// flight: it lights the screen between the caster and the target and
// nowhere near either. The frame is kept as an image of the build tree.

#include <cstdlib>

#include "core/math/MathHelper.h"
#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class StormOrbRender : public EffectRender {
 protected:
  StormOrbRender() : EffectRender(61) {}
};

TEST_F(StormOrbRender, OnFrameSixteenTheOrbShinesHalfWayToTheTarget) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 1, 2);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target);
  Vector3 from;
  caster.getPosition(from);
  Vector3 to;
  target.getPosition(to);
  Vector3 halfway;
  Game::MathHelper::lerpVector(&halfway, 0.5f, from, to);
  const Vector3 middle = onScreen(halfway);
  ASSERT_LT(std::abs(middle.x), 340.f);
  ASSERT_LT(std::abs(middle.y), 240.f);

  stage.pool.draw();
  const Image before = finishFrame();
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> orb = Game::Effect::Cast::create("StormOrbBolts");
  ASSERT_NE(orb, nullptr);
  orb->bind(action);
  while (orb->frame() <= 16) {
    orb->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_storm_orb_flight.tga");

  EXPECT_GT(lightPixels(image, middle, 12), lightPixels(before, middle, 12) + 40);
  for (const Vector3& end : {from, to}) {
    const Vector3 at = onScreen(end);
    EXPECT_EQ(lightPixels(image, at, 8), lightPixels(before, at, 8));
  }
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
