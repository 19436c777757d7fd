// Effects of the sample data drawn offscreen on one frame of their play:
// each lights the screen where its pieces stand that frame and leaves the
// places between dark. Every frame is kept as an image of the build tree.

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "effect/Cast.h"
#include "tests/render/effect/EffectRender.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

// A world point whose box of that half size, in pixels, gains more than
// that many light pixels over the frame before the play; 0: none at all.
struct Probe {
  Vector3 point;
  int half;
  int gain;
};

Vector3 positionOf(const Game::Unit& unit) {
  Vector3 at;
  unit.getPosition(at);
  return at;
}

struct FrameCase {
  const char* label;
  const char* effect;
  const char* image;
  Engine::i32 seed;
  int casterRow;
  int casterColumn;
  int targetRow;
  int targetColumn;
  int frame;
  std::vector<Probe> (*probes)(const Game::Unit& caster, const Game::Unit& target);
  // Unit pictures; by default one the list lacks (size 256, a node that
  // shows nothing), so only the effect lights the screen.
  const char* appearance = "見えない";
  Game::Effect::ActionRecord::ResultKind kind = Game::Effect::ActionRecord::kDamage;
};

// The quarter, half and three-quarter points of the way lit by the beam,
// none 96 above the middle.
std::vector<Probe> laserProbes(const Game::Unit& caster, const Game::Unit& target) {
  std::vector<Probe> out;
  for (const float t : {0.25f, 0.5f, 0.75f, 0.5f}) {
    Vector3 at;
    at.setSub(positionOf(target), positionOf(caster));
    at *= t;
    at += positionOf(caster);
    out.push_back({at, 4, 20});
  }
  out[3].point.z += 96.f;
  out[3].gain = 0;
  return out;
}

// Drops and ripples on the ground under the target.
std::vector<Probe> rainProbes(const Game::Unit&, const Game::Unit& target) {
  Vector3 ground = positionOf(target);
  ground.z = 0.f;
  return {{ground, 48, 100}};
}

const FrameCase kCases[] = {
    {"Laser", "レーザー", "effect_laser_beam.tga", 59, 1, 2, 1, 1, 48, laserProbes},
    {"HealRain", "恵雨", "effect_heal_rain.tga", 57, 1, 4, 1, 0, 128, rainProbes, "Kessa",
     Game::Effect::ActionRecord::kRecovery},
};

// The label in test listings, rather than the row's bytes.
void PrintTo(const FrameCase& row, std::ostream* out) { *out << row.label; }

class CastRender : public EffectRender, public ::testing::WithParamInterface<FrameCase> {
 protected:
  CastRender() : EffectRender(GetParam().seed) {}
};

TEST_P(CastRender, TheFrameIsLitWhereThePiecesStandAndDarkBetween) {
  const FrameCase& row = GetParam();
  Game::Unit& caster = makeUnit(0, row.casterRow, row.casterColumn, row.appearance);
  Game::Unit& target = makeUnit(1, row.targetRow, row.targetColumn, row.appearance);
  EffectTestSupport::RecordingAction& action = hitAction(caster, target, row.kind);
  stage.pool.draw();
  const Image before = finishFrame();
  nextFrame();

  std::unique_ptr<Game::Effect::Cast> effect = Game::Effect::Cast::create(row.effect);
  ASSERT_NE(effect, nullptr);
  effect->bind(action);
  while (effect->frame() <= row.frame) {
    effect->tick();
    stage.pool.update();
  }
  stage.pool.draw();
  const Image image = finishFrame();
  keep(image, row.image);

  for (const Probe& probe : row.probes(caster, target)) {
    const Vector3 at = onScreen(probe.point);
    ASSERT_LT(std::abs(at.x), 380.f);
    ASSERT_LT(std::abs(at.y), 280.f);
    const int gained = lightPixels(image, at, probe.half) - lightPixels(before, at, probe.half);
    if (probe.gain > 0) {
      EXPECT_GT(gained, probe.gain) << at.x << ", " << at.y;
    } else {
      EXPECT_EQ(gained, 0) << at.x << ", " << at.y;
    }
  }
  EXPECT_TRUE(stage.failures.empty());
}

INSTANTIATE_TEST_SUITE_P(Effects, CastRender, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FrameCase>& param) { return std::string(param.param.label); });

}  // namespace
}  // namespace RenderTest
