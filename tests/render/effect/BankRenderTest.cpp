// A barrier and a large explosion of the sample bank drawn offscreen on two
// units; the frame is kept as an image of the build tree.

#include <cstdlib>
#include <memory>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "data/Unit.h"
#include "effect/bank/Barrier.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Piece.h"
#include "presentation/scene/SceneNodePool.h"
#include "render/InterfaceRender.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/effect/RecordingStage.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

class BankRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    // The large explosion's sound list reads its wave.
    Engine::Sound::Manager::create();
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(51);
    battle.pool = &stage.pool;
    Game::Effect::Bank::reportTo(&stage);
  }
  void TearDown() override {
    Game::Effect::Bank::reportTo(nullptr);
    units.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
    InterfaceRender::TearDown();
  }

  Game::Unit& unit(UnitTestSupport::TestGhost& ghost, int side, int column) {
    ghost.enemy = side == 1;
    // A picture the list lacks: the unit's node shows nothing, so only the pieces light the frame.
    ghost.appearance = "見えない";
    units.push_back(std::make_unique<Game::Unit>(ghost, &battle));
    battle.units.push_back(units.back().get());
    units.back()->placeAt(1, column);
    return *units.back();
  }
  // Light pixels in the box of that half size about a screen point (y up).
  int lightPixels(const Image& image, const Vector3& onScreen, i32 half) const {
    const i32 x = static_cast<i32>(onScreen.x);
    const i32 y = static_cast<i32>(onScreen.y);
    int count = 0;
    for (i32 dy = -half; dy <= half; ++dy) {
      for (i32 dx = -half; dx <= half; ++dx) {
        const u32 pixel = at(image, x + dx, y + dy);
        count += ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF) > 0x60 ? 1 : 0;
      }
    }
    return count;
  }
  Vector3 onScreen(const Vector3& world) {
    Vector3 out;
    renderer().project(&out, world);
    return out;
  }

  EffectTestSupport::RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  UnitTestSupport::TestGhost casterGhost;
  UnitTestSupport::TestGhost targetGhost;
  std::vector<std::unique_ptr<Game::Unit>> units;
};

// The barrier lights the screen about its centre beside the caster, the
// explosion about the target's front; both were dark before.
TEST_F(BankRender, ABarrierAndALargeExplosionLightTheirPlaces) {
  Game::Unit& caster = unit(casterGhost, 0, 4);
  Game::Unit& target = unit(targetGhost, 1, 0);
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
