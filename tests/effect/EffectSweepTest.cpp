// Every name of the factory played on the sample data: the four actions,
// casters on both sides, several seeds.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effect/EffectFactory.h"
#include "tests/effect/EffectTimings.h"
#include "tests/effect/FamilySweep.h"

namespace {

using EffectTestSupport::kEffectTimings;

// The longest end frame is 313; every tick must answer 2 well before this.
constexpr int kTickEndCap = 400;
constexpr int kSlices = 6;

// One seed and one sixth of the names, so that each case stays short.
struct SweepCase {
  unsigned seed;
  int slice;
};

class EffectSweepTest : public EffectTestSupport::FamilySweep, public ::testing::WithParamInterface<SweepCase> {
 protected:
  std::vector<const char*> sliceNames() const {
    std::vector<const char*> names;
    for (std::size_t i = GetParam().slice; i < kEffectTimings.size(); i += kSlices) {
      names.push_back(kEffectTimings[i].name);
    }
    return names;
  }
};

TEST_P(EffectSweepTest, EveryNameBuildsItsClassAndPlaysToItsTimings) {
  Game::RandomGenerator::instance()->setSeed(GetParam().seed);
  const std::vector<const char*> names = sliceNames();
  for (const char* name : names) {
    const Game::Effect::FactoryRow* row = Game::Effect::findFactoryRow(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_FALSE(row->isStandIn()) << row->className;
  }
  sweep(names, kTickEndCap);
}

std::vector<SweepCase> sweepCases() {
  std::vector<SweepCase> cases;
  for (unsigned seed : {1u, 57u, 40213u}) {
    for (int slice = 0; slice < kSlices; ++slice) {
      cases.push_back({seed, slice});
    }
  }
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<SweepCase>& param) {
  return "seed" + std::to_string(param.param.seed) + "_part" + std::to_string(param.param.slice);
}

INSTANTIATE_TEST_SUITE_P(AllNames, EffectSweepTest, ::testing::ValuesIn(sweepCases()), caseName);

}  // namespace
