#include "battle/TurnPhases.h"

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/sound/BGM.h"
#include "live/Unit.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game::BattleStuff {

using Engine::i32;
using Engine::u32;
using Engine::Math::Vector3;

namespace {

constexpr i32 kClearFade = 0;

// Each unit on its own cell again, standing or lying as it is.
void placeUnits(Battle& battle) {
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    Unit& unit = *battle.unitAt(i);
    unit.placeAt(unit.row(), unit.column());
  }
}

const char* encounterMessage(i32 kind) {
  switch (kind) {
    case BattleSettings::kBackAttack: return Start::kBackAttackMessage;
    case BattleSettings::kForestall: return Start::kForestallMessage;
    case BattleSettings::kForestalled: return Start::kForestalledMessage;
    default: return nullptr;
  }
}

i32 poisonOf(const Unit& unit) { return unit.poisonDamage(); }
i32 recoveryOf(const Unit& unit) { return unit.regeneration(); }

void takeDamage(Battle& battle, Unit& unit, i32 amount) {
  const i32 hpBefore = unit.hp();
  unit.life().takeDamage(amount);
  if (unit.side() == 0) {
    battle.partyRecord().addDamage(amount);
    if (hpBefore >= 1 && unit.hp() < 1) {
      battle.partyRecord().addFall();
    }
  }
}

void recover(Battle&, Unit& unit, i32 amount) { unit.life().recoverHp(amount); }

}  // namespace

i32 Initialize::update() {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->setFadeTarget(kClearFade);
    renderer->camera().reset();
  }
  placeUnits(battle());
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    battle().unitAt(i)->playAppear();
  }
  battle().resetCamera();
  if (BGM* music = BGM::instance()) {
    music->play(battle().bgm());
  }
  return 1;
}

i32 Start::update() {
  if (const char* message = encounterMessage(battle().kind())) {
    battle().game().pushMessage(message);
  }
  battle().refresh();
  battle().side(0).start();
  battle().side(1).start();
  return 1;
}

i32 Wait::update() {
  --mFramesLeft;
  return mFramesLeft < 1 ? 1 : 0;
}

i32 TurnStart::update() {
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    Unit& unit = *battle().unitAt(i);
    if (unit.hold() > 0) {
      unit.setHold(unit.hold() - 1);
    }
  }
  battle().refresh();
  battle().pushCommand();
  return 1;
}

i32 TurnEnd::update() {
  if (mCleanUpPending) {
    cleanUp();
    return 0;
  }
  battle().resetCamera();
  if (mDamagePending) {
    runStage(poisonOf, kDamageColour, takeDamage);
    mDamagePending = false;
  } else if (mRecoveryPending) {
    runStage(recoveryOf, kRecoveryColour, recover);
    mRecoveryPending = false;
  } else if (mClosePending) {
    closeTurn();
    mClosePending = false;
  } else {
    return 1;
  }
  return 0;
}

// The camera turns to the units concerned while the battle pauses.
void TurnEnd::runStage(Amount amount, u32 colour, Apply apply) {
  Vector3 centre(0.f, 0.f, 0.f);
  i32 concerned = 0;
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    Unit& unit = *battle().unitAt(i);
    const i32 n = amount(unit);
    if (n <= 0) {
      continue;
    }
    unit.messages().queueDamage(n, colour);
    apply(battle(), unit, n);
    Vector3 position;
    unit.getPosition(position);
    centre += position;
    ++concerned;
  }
  if (concerned == 0) {
    return;
  }
  centre *= 1.f / static_cast<float>(concerned);
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().lookAt(centre);
  }
  battle().pushWait(kPauseFrames);
  mCleanUpPending = true;
}

void TurnEnd::closeTurn() {
  battle().refresh();
  battle().side(0).endTurn();
  battle().side(1).endTurn();
  for (i32 i = 0; i < battle().unitCount(); ++i) {
    battle().unitAt(i)->endTurn();
  }
  battle().setKind(BattleSettings::kEven);
  battle().addTurn();
}

void TurnEnd::cleanUp() {
  battle().removeDefeated();
  battle().queueDueEvents();
  battle().refresh();
  mCleanUpPending = false;
}

}  // namespace Game::BattleStuff
