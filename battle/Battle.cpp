// The battle's set-up, its frame and its queues of phases and scripts.

#include "battle/Battle.h"

#include "battle/CastPhase.h"
#include "battle/CommandPhase.h"
#include "battle/TurnPhases.h"
#include "running/game/GameData.h"
#include "live/Unit.h"
#include "live/unit/EnemyGhost.h"
#include "effect/Cast.h"

namespace Game {

using Engine::i32;

Battle::Battle(GameData& game, const BattleSettings& settings)
    : mGame(game),
      mLevel(settings.level),
      mEnemyLevel(game.encounterLevel()),
      mBgm(settings.bgm ? settings.bgm : ""),
      mReportRank(!settings.fromScript),
      mDialogue(settings.dialogue),
      mEscapeAllowed(settings.escapeAllowed),
      mKind(settings.kind),
      mDefeatMode(settings.defeatMode) {
  mDim.setDuration(static_cast<float>(kDimFrames));
  mTriggers = settings.triggers;
  mBattleScript.loadFromPath(kScriptFile, mGame);
  queueDueEvents();
  addPartyUnits();
  appendInterrupt(std::make_unique<BattleStuff::Initialize>(*this));
  appendPhase(std::make_unique<BattleStuff::Start>(*this));
  loadScene(settings.sceneName);
  // The scene brightens from black.
  mDim.setTarget(0.f);
  mDim.setTarget(1.f);
  mFrame = 0;
  mGame.addBattleCount();
  mGame.resetEncounter();
}

// The queues go before the units their phases may name.
Battle::~Battle() {
  mEventQueue.clear();
  mInterrupts.clear();
  mPhases.clear();
  mOver.reset();
  mAnnouncements.clear();
  mFinishedEffects.clear();
  mUnits.clear();
}

// Interrupts, then the end, then queued scripts, then the phases: nothing
// else moves while a pause runs or a script waits, and the scripts run
// between every two phases.
bool Battle::update() {
  ++mFrame;
  present();
  mDim.step();
  mNodes.update();
  if (!mInterrupts.empty()) {
    if (mInterrupts.front()->update() != 0) {
      mInterrupts.pop_front();
    }
    return false;
  }
  if (!mAnnouncements.empty()) {
    if (mAnnouncements.front()->update(*this)) {
      mAnnouncements.pop_front();
    }
    return false;
  }
  // The notices wait for the fallen to finish falling.
  if (!mDefeats.update() || !mNotices.update(*this)) {
    return false;
  }
  if (mOver) {
    return mOver->run(*this) != 0;
  }
  if (!mEventQueue.empty()) {
    return runQueuedScript();
  }
  if (!mPhases.empty()) {
    runPhase();
    return false;
  }
  pushTurnStart();
  return false;
}

const char* Battle::phaseName() const {
  if (mOver) {
    return "over";
  }
  return mPhases.empty() ? "none" : mPhases.front()->name();
}

bool Battle::runQueuedScript() {
  if (mEventQueue.front().script->update(mGame) != Script::kRunning) {
    mEventQueue.pop_front();
  }
  return false;
}

void Battle::runPhase() {
  if (mPhases.front()->update() == 0) {
    return;
  }
  mPhases.pop_front();
  queueDueEvents();
}

void Battle::pushTurnStart() { appendPhase(std::make_unique<BattleStuff::TurnStart>(*this)); }

void Battle::pushTurnEnd() { appendPhase(std::make_unique<BattleStuff::TurnEnd>(*this)); }

void Battle::pushCommand() { appendPhase(std::make_unique<BattleStuff::Command>(*this)); }

void Battle::pushCast() { appendPhase(std::make_unique<BattleStuff::Cast>(*this)); }

void Battle::pushWait(i32 frames) { appendInterrupt(std::make_unique<BattleStuff::Wait>(*this, frames)); }

void Battle::appendPhase(std::unique_ptr<BattleStuff::Phase> phase) { mPhases.push_back(std::move(phase)); }

void Battle::appendInterrupt(std::unique_ptr<BattleStuff::Phase> phase) {
  mInterrupts.push_back(std::move(phase));
}

void Battle::startOver(std::unique_ptr<BattleStuff::Over> over) {
  if (!mOver) {
    mOver = std::move(over);
  }
}

BattleStuff::Phase* Battle::abortCast() {
  auto* cast = dynamic_cast<BattleStuff::Cast*>(runningPhase());
  if (cast) {
    cast->abort();
  }
  return cast;
}

// One one-shot event a pass: of two due together, the second fires after
// the next phase.
void Battle::queueDueEvents() {
  if (!mEventQueue.empty()) {
    return;
  }
  bool oneShotQueued = false;
  for (std::shared_ptr<BattleTrigger>& trigger : mTriggers) {
    if (!trigger || (!trigger->repeat && oneShotQueued)) {
      continue;
    }
    if (trigger->condition.evaluate() == 0) {
      continue;
    }
    mEventQueue.push_back(QueuedScript{trigger, &trigger->script});
    if (!trigger->repeat) {
      oneShotQueued = true;
      trigger.reset();
    }
  }
  mEventQueue.push_back(QueuedScript{nullptr, &mBattleScript});
}

void Battle::refresh() {
  mSynchro.refresh(*this);
  rebuildSynchroPanel();
  // Twice: a unit's values may rest on its neighbours' (formation, stacking).
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
      entry->current().recompute();
      entry->current().clamp();
    }
  }
  for (BattleSide& record : mSides) {
    record.refresh(*this, mSynchro);
  }
}

}  // namespace Game
