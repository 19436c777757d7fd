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

class NamedSpecialRender : public EffectRender {
 protected:
  NamedSpecialRender() : EffectRender(63) {}

  // Ticks the effect of the name, bound to the action, through the frame
  // given, then draws the pool.
  Image playThrough(Game::Effect::Cast& effect, int lastFrame) {
    while (effect.frame() <= lastFrame) {
      effect.tick();
      stage.pool.update();
    }
    stage.pool.draw();
    return finishFrame();
  }
  std::unique_ptr<Game::Effect::Cast> bound(const char* name, EffectTestSupport::RecordingAction& action) {
    std::unique_ptr<Game::Effect::Cast> effect = Game::Effect::Cast::create(name);
    effect->bind(action);
    return effect;
  }
  // Screen points (y up) whose pixel passes the test, and their mean.
  template <class Test>
  int pixelsWhere(const Image& image, Test test, Vector3* mean = nullptr) const {
    int count = 0;
    Vector3 sum(0.f, 0.f, 0.f);
    for (int y = -299; y < 300; ++y) {
      for (int x = -399; x < 400; ++x) {
        const Engine::u32 pixel = at(image, x, y);
        if (test(Vector3(static_cast<float>(x), static_cast<float>(y), 0.f), (pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF,
                 pixel & 0xFF)) {
          ++count;
          sum += Vector3(static_cast<float>(x), static_cast<float>(y), 0.f);
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
// the white jet leans toward the target's side only.
TEST_F(NamedSpecialRender, OnFrame161RingsAndAJetBurstAboutTheCaster) {
  Game::Unit& caster = unit(casterGhost, 0, 1, 2);
  Game::Unit& target = unit(targetGhost, 1, 1, 2);
  std::unique_ptr<Game::Effect::Cast> lance = bound("CrimsonLanceThrow", hitAction(caster, target));
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
  auto whiteNear = [&](const Vector3& point) {
    return pixelsWhere(image, [&](const Vector3& p, unsigned r, unsigned g, unsigned b) {
      return std::abs(p.x - point.x) <= 16.f && std::abs(p.y - point.y) <= 16.f && r > 0xE0 && g > 0xE0 && b > 0xE0;
    });
  };
  Vector3 ahead = centre;
  ahead += toward;
  Vector3 behind = centre;
  behind -= toward;
  EXPECT_GT(whiteNear(ahead), 50);
  EXPECT_EQ(whiteNear(behind), 0);
  EXPECT_TRUE(stage.failures.empty());
}

// The storm aimed at side 0 and, from the same seed, at side 1: the pillars
// and the blast sit about x = +128 resp. −128 (their screen points apart
// along the screen's y), so the lit rows move toward the aimed point and
// the orange blast lies on the aimed half.
TEST_F(NamedSpecialRender, OnFrame80ThePillarStormFallsOnTheAimedHalf) {
  const Vector3 aimed[2] = {onScreen(Vector3(128.f, 0.f, 0.f)), onScreen(Vector3(-128.f, 0.f, 0.f))};
  Vector3 axis;
  axis.setSub(aimed[0], aimed[1]);
  Vector3 middle = aimed[0];
  middle += aimed[1];
  middle *= 0.5f;
  // Along the axis from the middle: positive on side 0's half.
  auto along = [&](const Vector3& p) {
    Vector3 d;
    d.setSub(p, middle);
    return d.dot(axis) / axis.length();
  };
  Vector3 litMiddle[2];
  for (int side = 0; side < 2; ++side) {
    Game::RandomGenerator::instance()->setSeed(63);
    stage.pool.releaseAll();
    Game::Unit& caster = unit(casterGhost, 1 - side, 1, 2);
    Game::Unit& target = unit(targetGhost, side, 1, 2);
    std::unique_ptr<Game::Effect::Cast> storm = bound("FallingPillarStorm", hitAction(caster, target));
    nextFrame();
    const Image image = playThrough(*storm, 80);
    keep(image, side == 0 ? "effect_pillar_storm_side0.tga" : "effect_pillar_storm_side1.tga");
    pixelsWhere(image, [](const Vector3&, unsigned r, unsigned g, unsigned b) { return r + g + b > 0x60; },
                &litMiddle[side]);
    Vector3 blast(0.f, 0.f, 0.f);
    const int orange = pixelsWhere(
        image, [](const Vector3&, unsigned r, unsigned, unsigned b) { return r > 0xE0 && b < 0x90; }, &blast);
    EXPECT_GT(orange, 500) << side;
    EXPECT_GT(along(blast) * (side == 0 ? 1.f : -1.f), 20.f) << side;
  }
  EXPECT_GT(along(litMiddle[0]) - along(litMiddle[1]), 20.f);
  EXPECT_TRUE(stage.failures.empty());
}

}  // namespace
}  // namespace RenderTest
