// The common hit mark and sparks of the sample data drawn offscreen on a
// unit, as an effect places them; the frame is kept as an image of the build
// tree.

#include <cstdlib>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

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

class HitMarkRender : public EffectRender {
 protected:
  HitMarkRender() : EffectRender(49) {}
};

// The mark and the sparks light the screen about the target's centre and
// nowhere far from it; before they are placed the unit, which shows no figure,
// leaves that place dark.
TEST_F(HitMarkRender, TheHitMarkAndSparksLightTheTargetsCentre) {
  Game::Unit& caster = unit(0, 0, 2);
  Game::Unit& target = unit(1, 0, 2);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target);
  Vector3 centre;
  target.getPosition(centre);
  const Vector3 middle = onScreen(centre);
  ASSERT_LT(std::abs(middle.x), 340.f);
  ASSERT_LT(std::abs(middle.y), 240.f);

  stage.pool.draw();
  const Image before = finishFrame();
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

  EXPECT_GT(lightPixels(image, middle, 24), lightPixels(before, middle, 24) + 40);
  const Vector3 corner(middle.x > 0.f ? -360.f : 360.f, middle.y > 0.f ? -260.f : 260.f, 0.f);
  EXPECT_EQ(lightPixels(image, corner, 20), 0);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
