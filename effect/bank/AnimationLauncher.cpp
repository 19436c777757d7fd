#include "effect/bank/AnimationLauncher.h"

#include "live/Unit.h"
#include "effect/ActionRecord.h"
#include "presentation/scene/SceneNode.h"

namespace Game::Effect::Bank {

void AnimationLauncher::launchOnTargets(const ActionRecord& action) const {
  if (const Animation main = mSet.animation(kMain)) {
    overlayOnHitTargets(action, main);
  }
}

void AnimationLauncher::launchOnTargetsFrom(const ActionRecord& action, const Engine::Math::Vector3& origin,
                                            float divisor) const {
  if (const Animation main = mSet.animation(kMain)) {
    overlayOnHitTargets(action, main, 0.f, &origin, divisor);
  }
}

void AnimationLauncher::overlayOn(const Unit& unit) const {
  const Animation main = mSet.animation(kMain);
  SceneNode* node = unit.node();
  if (main && node) {
    node->addOverlay(main, 0.f);
  }
}

#define MARROWDEEP_OVERLAY(Class, file) \
  Class::Class() { load("src/picture/animation/animation/" file ".txt"); }

MARROWDEEP_OVERLAY(Stagger, "よろめく")
MARROWDEEP_OVERLAY(Shake, "揺れる")
MARROWDEEP_OVERLAY(Shock, "驚く")
MARROWDEEP_OVERLAY(EmissionRed, "発光赤")
MARROWDEEP_OVERLAY(EmissionCyan, "点滅シアン")
MARROWDEEP_OVERLAY(EmissionYellow, "点滅イエロー")
MARROWDEEP_OVERLAY(Flash, "フラッシュ")
MARROWDEEP_OVERLAY(Poison, "毒")
MARROWDEEP_OVERLAY(Curse, "祟り")
MARROWDEEP_OVERLAY(Heal, "HP回復")
MARROWDEEP_OVERLAY(ChargeSP, "SP回復")
MARROWDEEP_OVERLAY(Cinders, "消し炭")
MARROWDEEP_OVERLAY(Prism, "プリズム")
MARROWDEEP_OVERLAY(Pakapaka, "パカパカ")

#undef MARROWDEEP_OVERLAY

void EmissionPair::launchOnTargets(const ActionRecord& action) const {
  mYellow.launchOnTargets(action);
  mRed.launchOnTargets(action);
}

void EmissionPair::overlayOn(const Unit& unit) const {
  mYellow.overlayOn(unit);
  mRed.overlayOn(unit);
}

}  // namespace Game::Effect::Bank
