#pragma once

#include "tests/effect/EffectFixture.h"

namespace EffectTestSupport {

// The effects of the reactions, system actions and buffs: the sample
// pictures and effect sounds over the hand-made databases.
class SupportEffectsTest : public EffectTest {
 protected:
  SupportEffectsTest() : EffectTest(EffectData::kSamplePictures) {}
};

}  // namespace EffectTestSupport
