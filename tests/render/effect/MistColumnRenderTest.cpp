// The mist column of the sample data drawn offscreen on frame 130: the
// column lights the way from the caster down toward its target. The frame
// is kept as an image of the build tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "presentation/scene/Camera.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class MistColumnRender : public EffectRender {
 protected:
  MistColumnRender() : EffectRender(61) {}
};

// The column runs from half the caster's size (128) out along
// (-1, 0, -0.3) normalised toward the enemies' side, a node every 6: its
// nodes 2, 8 and 14 stand between the caster (on the middle line) and the
// target in the back row, and are lit on frame 130; the point 128 to the
// column's side is not.
TEST_F(MistColumnRender, TheColumnLightsTheWayBetweenTheCasterAndTheTargets) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 2, 2);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target);
  // The view eased over to the air between the middle line and the target.
  Vector3 between;
  target.getPosition(between);
  between.x /= 2.f;
  between.z = 150.f;
  for (int i = 0; i < 120; ++i) {
    renderer().camera().lookAt(between);
    renderer().camera().step(i);
  }
  nextFrame();

  stage.pool.draw();
  const Image before = finishFrame();
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> mist = Game::Effect::Cast::create("HeavenlyMistColumn");
  ASSERT_NE(mist, nullptr);
  mist->bind(action);
  while (mist->frame() <= 130) {
    mist->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_mist_column.tga");

  Vector3 from;
  caster.getPosition(from);
  Vector3 to;
  target.getPosition(to);
  Vector3 way(-1.f, 0.f, -0.3f);
  way.normalize();
  for (int j : {2, 8, 14}) {
    Vector3 point = way;
    point *= 128.f + 6.f * static_cast<float>(j);
    point += from;
    ASSERT_LT(point.x, from.x);
    ASSERT_GT(point.x, to.x);
    const Vector3 at = onScreen(point);
    ASSERT_LT(std::abs(at.x), 380.f);
    ASSERT_LT(std::abs(at.y), 280.f);
    EXPECT_GT(lightPixels(image, at, 3), lightPixels(before, at, 3) + 12) << j;
  }
  Vector3 aside = way;
  aside *= 128.f + 6.f * 8.f;
  aside += from;
  aside.y += 128.f;
  const Vector3 off = onScreen(aside);
  EXPECT_EQ(lightPixels(image, off, 3), lightPixels(before, off, 3));
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
