// Two named specials of the sample data drawn offscreen at their height:
// the lance's landing about the caster, and the pillar storm on the half it
// aims at. The frames are kept as images of the build tree.

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
  // Screen points (y up) whose red, green and blue pass the test; their mean.
  template <class Test>
  int pixelsWhere(const Image& image, Test test, Vector3* mean = nullptr) const {
    int count = 0;
    Vector3 sum(0.f, 0.f, 0.f);
    for (int y = -299; y < 300; ++y) {
      for (int x = -399; x < 400; ++x) {
        const Engine::u32 pixel = at(image, x, y);
        const Vector3 p(static_cast<float>(x), static_cast<float>(y), 0.f);
        if (test(p, (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)) {
          ++count;
          sum += p;
        }
      }
    }
    if (mean && count > 0) {
      *mean = sum;
      *mean *= 1.f / static_cast<float>(count);
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

// The storm aimed at side 0 and, from the same seed, at side 1: the pillars
// and the blast sit about x = +128 resp. −128 (their screen points apart
// along the screen's y), so the lit rows move toward the aimed point and
// the orange blast lies on the aimed half.
TEST_F(NamedSpecialRender, OnFrame80ThePillarStormFallsOnTheAimedHalf) {
  const Vector3 plus = onScreen(Vector3(128.f, 0.f, 0.f));
  Vector3 axis;
  axis.setSub(plus, onScreen(Vector3(-128.f, 0.f, 0.f)));
  // From the middle along the axis: positive on side 0's half.
  auto along = [&](const Vector3& p) { return (p.dot(axis) - plus.dot(axis)) / axis.length() + axis.length() / 2.f; };
  Vector3 lit[2] = {Vector3(0.f, 0.f, 0.f), Vector3(0.f, 0.f, 0.f)};
  for (int side = 0; side < 2; ++side) {
    Game::RandomGenerator::instance()->setSeed(63);
    stage.pool.releaseAll();
    std::unique_ptr<Cast> storm = Cast::create("FallingPillarStorm");
    Game::Unit& caster = unit(1 - side, 1, 2);
    storm->bind(hitAction(caster, unit(side, 1, 2)));
    nextFrame();
    const Image image = playThrough(*storm, 80);
    keep(image, side == 0 ? "effect_pillar_storm_side0.tga" : "effect_pillar_storm_side1.tga");
    pixelsWhere(image, [](const Vector3&, unsigned r, unsigned g, unsigned b) { return r + g + b > 0x60; }, &lit[side]);
    Vector3 blast(0.f, 0.f, 0.f);
    const int orange = pixelsWhere(
        image, [](const Vector3&, unsigned r, unsigned, unsigned b) { return r > 0xE0 && b < 0x90; }, &blast);
    EXPECT_GT(orange, 500) << side;
    EXPECT_GT(along(blast) * (side == 0 ? 1.f : -1.f), 20.f) << side;
  }
  EXPECT_GT(along(lit[0]) - along(lit[1]), 20.f);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
