// The laser of the sample data drawn offscreen on frame 48: the beam lights
// the way between the caster and its target. The frame is kept as an image
// of the build tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class LaserRender : public EffectRender {
 protected:
  LaserRender() : EffectRender(59) {}
};

// Dark before; on frame 48 light at a quarter, half and three quarters of
// the way, and none the same distance off the way to the side.
TEST_F(LaserRender, TheBeamLightsTheWayFromTheCasterToTheTarget) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 1, 1);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target);
  Vector3 from;
  caster.getPosition(from);
  Vector3 to;
  target.getPosition(to);
  Vector3 way[3];
  for (int k = 0; k < 3; ++k) {
    way[k] = from;
    Vector3 step;
    step.setSub(to, from);
    step *= static_cast<float>(k + 1) / 4.f;
    way[k] += step;
  }
  Vector3 aside = way[1];
  aside.z += 96.f;

  stage.pool.draw();
  const Image before = finishFrame();
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> laser = Game::Effect::Cast::create("レーザー");
  ASSERT_NE(laser, nullptr);
  laser->bind(action);
  while (laser->frame() <= 48) {
    laser->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_laser_beam.tga");

  for (const Vector3& point : way) {
    const Vector3 at = onScreen(point);
    ASSERT_LT(std::abs(at.x), 380.f);
    ASSERT_LT(std::abs(at.y), 280.f);
    EXPECT_GT(lightPixels(image, at, 4), lightPixels(before, at, 4) + 20);
  }
  const Vector3 off = onScreen(aside);
  EXPECT_EQ(lightPixels(image, off, 4), lightPixels(before, off, 4));
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
