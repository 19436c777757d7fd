// A barrier and a large explosion of the sample bank drawn offscreen on two
// units; the frame is kept as an image of the build tree.

#include <cstdlib>

#include "effect/bank/Barrier.h"
#include "effect/bank/ExplodeL.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class BankRender : public EffectRender {
 protected:
  BankRender() : EffectRender(51) {}
};

// The barrier lights the screen about its centre beside the caster, the
// explosion about the target's front; both were dark before.
TEST_F(BankRender, ABarrierAndALargeExplosionLightTheirPlaces) {
  Game::Unit& caster = unit(0, 1, 4);
  Game::Unit& target = unit(1, 1, 0);
  Vector3 barrierCentre;
  caster.pointAlong(barrierCentre, Vector3(1.f, 0.f, 0.f));
  Vector3 front;
  target.getFrontPoint(front);
  front.z += 32.f;
  const Vector3 barrierOnScreen = onScreen(barrierCentre);
  const Vector3 blastOnScreen = onScreen(front);
  for (const Vector3& point : {barrierOnScreen, blastOnScreen}) {
    ASSERT_LT(std::abs(point.x), 360.f);
    ASSERT_LT(std::abs(point.y), 260.f);
  }
  // Far enough apart that neither lights the other's place.
  ASSERT_GT(std::abs(barrierOnScreen.x - blastOnScreen.x), 200.f);

  stage.pool.draw();
  const Image before = finishFrame();
  const int barrierBefore = lightPixels(before, barrierOnScreen, 16);
  const int blastBefore = lightPixels(before, blastOnScreen, 16);
  nextFrame();

  Game::Effect::Bank::Barrier barrier;
  barrier.launchAt(caster, 0xff60c0ffu);
  Game::Effect::Bank::ExplodeL explode;
  explode.launchAtFront(target);
  for (int step = 0; step < 8; ++step) {
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, "effect_barrier_and_large_explosion.tga");

  EXPECT_GT(lightPixels(image, barrierOnScreen, 16), barrierBefore + 40);
  EXPECT_GT(lightPixels(image, blastOnScreen, 16), blastBefore + 40);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
