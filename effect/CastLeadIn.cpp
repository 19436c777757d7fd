// The lead-in an effect plays before its first tick.

#include "records/ability/Ability.h"
#include "effect/ActionRecord.h"
#include "effect/Cast.h"
#include "effect/StartingEffect.h"
#include "records/table/AbilityData.h"

namespace Game::Effect {

using Engine::i32;
using Engine::Math::Vector3;

void Cast::prepareStartingEffect() {
  // Bound to an action means with its actor and battle too.
  if (!mAction) {
    return;
  }
  if (!mStartingEffect) {
    Vector3 centre;
    getTargetCentre(centre);
    mStartingEffect = std::make_unique<StartingEffect::Container>(*mBattle, *mCaster, centre);
  }
  const i32 kind = mAction->ability().effectKind();
  if (kind == AbilityLevel::kSpellCard) {
    mStartingEffect->addSpell();
  } else if (kind == AbilityLevel::kCaution) {
    mStartingEffect->addCaution();
  }
}

void Cast::startStartingEffect(i32 chainIndex) {
  prepareStartingEffect();
  if (!mStartingEffect) {
    return;
  }
  const i32 kind = mAction->ability().effectKind();
  if (kind == AbilityLevel::kNormal) {
    mStartingEffect->addAction();
  } else if (kind == AbilityLevel::kMagic) {
    mStartingEffect->addMagicStart();
  }
  if (chainIndex != 0) {
    mStartingEffect->addChain(chainIndex);
  }
}

i32 Cast::stepStartingEffect() {
  if (!mStartingEffect) {
    return 1;
  }
  if (!mStartingEffect->step()) {
    return 0;
  }
  mStartingEffect.reset();
  return 1;
}

}  // namespace Game::Effect
