// A named special of the sample data drawn offscreen at its height: the
// lance's landing about the caster. The frame is kept as an image of the
// build tree.

#include <cmath>
#include <memory>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;
using Game::Effect::Cast;

class NamedSpecialRender : public EffectRender {
 protected:
  NamedSpecialRender() : EffectRender(63) {}

  // Ticks the effect through the frame given, then draws the pool.
  Image playThrough(Cast& effect, int lastFrame) {
    while (effect.frame() <= lastFrame) {
      effect.tick();
      stage.pool.update();
    }
    stage.pool.draw();
    return finishFrame();
  }
  // Screen points (y up) whose red, green and blue pass the test.
  template <class Test>
  int pixelsWhere(const Image& image, Test test) const {
    int count = 0;
    for (int y = -299; y < 300; ++y) {
      for (int x = -399; x < 400; ++x) {
        const Engine::u32 pixel = at(image, x, y);
        const Vector3 p(static_cast<float>(x), static_cast<float>(y), 0.f);
        count += test(p, (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF) ? 1 : 0;
      }
    }
    return count;
  }
};

// On 161 a ring stands lit about the caster where nothing shone on 159, and
// the white jet leans 24 pixels toward the target's side only.
TEST_F(NamedSpecialRender, OnFrame161RingsAndAJetBurstAboutTheCaster) {
  Game::Unit& caster = unit(0, 1, 2);
  Game::Unit& target = unit(1, 1, 2);
  std::unique_ptr<Cast> lance = Cast::create("CrimsonLanceThrow");
  lance->bind(hitAction(caster, target));
  const Image before = playThrough(*lance, 159);
  nextFrame();
  const Image image = playThrough(*lance, 161);
  keep(image, "effect_crimson_lance_landing.tga");
  Vector3 at;
  caster.getPosition(at);
  const Vector3 centre = onScreen(at);
  target.getPosition(at);
  Vector3 toward;
  toward.setSub(onScreen(at), centre);
  toward *= 24.f / toward.length();
  EXPECT_GT(lightPixels(image, centre, 16), lightPixels(before, centre, 16) + 500);
  auto whiteNear = [&](float side) {
    return pixelsWhere(image, [&](const Vector3& p, unsigned r, unsigned g, unsigned b) {
      return std::abs(p.x - centre.x - side * toward.x) <= 16.f && std::abs(p.y - centre.y - side * toward.y) <= 16.f &&
             r > 0xE0 && g > 0xE0 && b > 0xE0;
    });
  };
  EXPECT_GT(whiteNear(1.f), 50);
  EXPECT_EQ(whiteNear(-1.f), 0);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
