// The stamp of the sample data drawn offscreen on the frame after its
// landing: the ring and the ring of dust about the aimed cell. The frame is
// kept as an image of the build tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class StampRender : public EffectRender {
 protected:
  StampRender() : EffectRender(53) {}
};

// Dark about the aimed cell before; on frame 81 the ring lights the landed
// caster's middle and the dust the cell's rim, 128 out on either side,
// leaving the cell's own middle dark.
TEST_F(StampRender, TheLandingRingsTheAimedCellWithLightAndDust) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 1, 2);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target);
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
