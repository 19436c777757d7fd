// The named special attacks of bounces, stomps and swoops played on the
// sample data: their timings with every kind of action and what each
// timeline asks of the battle frame by frame.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effect/EffectFactory.h"
#include "tests/effect/NamedScriptTest.h"

namespace {

using EffectTestSupport::RecordingAction;
using Game::Effect::Cast;

const std::vector<const char*> kNames = {"SilverDialStrike", "DoomedSwoop", "DarkeningWingVeil", "DuskChirpHaze",
                                         "ToxicWingDust", "MountainSmashWave", "StompingRuin", "PinpointSwarm",
                                         "FieryGustRings", "UntouchableDrift", "GoldenLatticeSnare", "PrismOrbVolley",
                                         "WardSlipFlurry", "GroundUpheaval", "HeavenlyMistColumn", "CrimsonFocusGlow",
                                         "BlazingEdgeBurst"};

class NamedStompsTest : public EffectTestSupport::NamedScriptTest {};

TEST_F(NamedStompsTest, EveryNameIsItsOwnClassWithItsWavesAndPlaysToItsTimings) {
  for (const char* name : kNames) {
    const Game::Effect::FactoryRow* row = Game::Effect::findFactoryRow(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_FALSE(row->isStandIn()) << name;
    EXPECT_TRUE(wavesLoaded(*Cast::create(name))) << name;
  }
  sweep(kNames);
}

}  // namespace
