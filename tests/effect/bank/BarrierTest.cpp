#include <gtest/gtest.h>

#include <cmath>

#include "effect/bank/Barrier.h"
#include "tests/effect/EffectFixture.h"

namespace {

using namespace EffectTestSupport;

using Engine::Math::Vector3;
using Game::SceneNode;

constexpr float kH = 55.42563f;  // √3·32

struct Cell {
  int ring;
  int k;
  float y;
  float z;
};

// The honeycomb's cells by hand: h = √3·32 across, 48 up.
TEST(BarrierCells, CellsLieOnTheirRingsHexagon) {
  const Cell cells[] = {
      {0, 0, 0.f, 0.f},
      {1, 0, -kH, 0.f},          {1, 1, -kH / 2.f, 48.f},  {1, 2, kH / 2.f, 48.f},   {1, 3, kH, 0.f},
      {1, 4, kH / 2.f, -48.f},   {1, 5, -kH / 2.f, -48.f},
      {2, 0, -2.f * kH, 0.f},    {2, 1, -1.5f * kH, 48.f}, {2, 2, -kH, 96.f},        {2, 3, 0.f, 96.f},
      {2, 4, kH, 96.f},          {2, 5, 1.5f * kH, 48.f},  {2, 6, 2.f * kH, 0.f},    {2, 7, 1.5f * kH, -48.f},
      {2, 8, kH, -96.f},         {2, 9, 0.f, -96.f},       {2, 10, -kH, -96.f},      {2, 11, -1.5f * kH, -48.f},
      {3, 4, -kH / 2.f, 144.f},  {3, 7, 2.f * kH, 96.f},   {3, 9, 3.f * kH, 0.f},    {3, 17, -2.5f * kH, -48.f},
  };
  for (const Cell& cell : cells) {
    SCOPED_TRACE(std::to_string(cell.ring) + "/" + std::to_string(cell.k));
    const Vector3 q = Game::Effect::Bank::barrierCell(cell.ring, cell.k);
    EXPECT_EQ(q.x, 0.f);
    EXPECT_NEAR(q.y, cell.y, 1e-3f);
    EXPECT_NEAR(q.z, cell.z, 1e-3f);
  }
  EXPECT_EQ(Game::Effect::Bank::barrierCellCount(0), 1);
  EXPECT_EQ(Game::Effect::Bank::barrierCellCount(1), 6);
  EXPECT_EQ(Game::Effect::Bank::barrierCellCount(3), 18);
}

using BarrierTest = EffectTestSupport::BankTest;

// Three rings facing +y (yaw 90): 19 cells, each q(r, k)·scale turned a
// quarter (y → −x), ring r 3·r frames late, turned, scaled and coloured.
TEST_F(BarrierTest, ThreeRingsMakeNineteenCellsTurnedToTheDirection) {
  Game::Effect::Bank::Barrier barrier;
  const Vector3 centre(100.f, 0.f, 50.f);
  const auto nodes =
      launched([&] { barrier.launchGrid(stage.pool, centre, Vector3(0.f, 3.f, 0.f), 0.5f, 3, 0x80ff4000u); });
  ASSERT_EQ(nodes.size(), 19u);
  std::size_t n = 0;
  for (int ring = 0; ring < 3; ++ring) {
    for (int k = 0; k < Game::Effect::Bank::barrierCellCount(ring); ++k, ++n) {
      const Vector3 q = Game::Effect::Bank::barrierCell(ring, k);
      const SceneNode& node = *nodes[n];
      EXPECT_EQ(describe(node), "main at " + text(Vector3(100.f - 0.5f * q.y, 0.f, 50.f + 0.5f * q.z)) +
                                    " turn 0,0,90 scale 0.5,0.5,0.5 time " + std::to_string(-3 * ring));
      EXPECT_NEAR(node.transparency.value(), 128.f / 255.f, 1e-6f);
      EXPECT_NEAR(node.ambient.y.value(), 64.f / 255.f, 1e-6f);
      EXPECT_EQ(node.ambient.z.value(), 0.f);
    }
  }
  // The outer ring's far corner: (−2h, 0) turned onto +x.
  EXPECT_NEAR(nodes[7]->position.x.value(), 100.f + kH, 1e-3f);
}

// On a unit: half its size to its right, facing right, at its scale.
TEST_F(BarrierTest, AUnitsBarrierStandsAtItsRight) {
  Game::Effect::Bank::Barrier barrier;
  Game::Unit& slime = makeUnit(0, 1, 2, "Slime");
  Vector3 centre;
  slime.pointAlong(centre, Vector3(1.f, 0.f, 0.f));
  Vector3 right;
  slime.getRightVector(right);
  const auto nodes = launched([&] { barrier.launchAt(slime, 0xffffffffu); });
  ASSERT_EQ(nodes.size(), 19u);
  EXPECT_LT(distance(nodes[0]->position.value(), centre), 1e-3f);
  EXPECT_NEAR(nodes[0]->rotation.z.value(), std::atan2(right.y, right.x) * 180.f / 3.14159265f, 1e-3f);
  EXPECT_FLOAT_EQ(nodes[0]->scale.x.value(), 0.75f);
  EXPECT_FLOAT_EQ(nodes[18]->getTime(), -6.f);
}

}  // namespace
