#include "battle/ChainChance.h"

namespace Game {

ChainChance::ChainChance(float startRate, float opener)
    : mOpen(startRate > 0.f), mChance(mOpen ? opener + (1.f - opener) * startRate : 0.f) {}

float ChainChance::joinChance(float joinRate, float momentum, float ace) const {
  const float p = (momentum / kMomentumDivisor + 1.f) * joinRate * mChance;
  return ace + (1.f - ace) * p;
}

}  // namespace Game
