// The cast phase: a step per actor, its actions built, their effects played
// after their lead-ins, then their results applied.

#include "battle/CastPhase.h"

#include <algorithm>

#include "battle/Battle.h"
#include "battle/ChainChance.h"
#include "battle/CommandPhase.h"
#include "battle/TurnOrder.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "live/Bag.h"
#include "live/Unit.h"
#include "effect/Cast.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game::BattleStuff {

using Engine::i32;

namespace {

bool pays(const PlannedAction& command) { return (command.flags & Command::kPays) != 0; }

bool holdsLivingUnit(const Battle& battle, const Place& cell) {
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    const Unit& unit = *battle.unitAt(i);
    if (unit.isAlive() && unit.side() == cell.side && unit.row() == cell.row && unit.column() == cell.column) {
      return true;
    }
  }
  return false;
}

// The units of both lists, in the order of the first.
std::vector<Unit*> shared(const std::vector<Unit*>& a, const std::vector<Unit*>& b) {
  std::vector<Unit*> out;
  for (Unit* unit : a) {
    if (std::find(b.begin(), b.end(), unit) != b.end()) {
      out.push_back(unit);
    }
  }
  return out;
}

float unitDraw() { return RandomGenerator::instance()->getFloat(1.f); }

}  // namespace

Cast::Cast(Battle& battle) : Phase(battle) {}

Cast::~Cast() = default;

bool Cast::canCast(const Unit& unit) {
  if (!unit.canAct() || !unit.hasPlan() || unit.charge() >= 1) {
    return false;
  }
  const PlannedAction& command = unit.plan().front();
  return command.art.isValid() && command.art.isPlain() && (!pays(command) || unit.canPay(command.art, true));
}

float Cast::startRate(const Ability& art) {
  return art.isValid() ? art.levelRecord().chainAccuracy(1) / kStartRateDivisor : 0.f;
}

i32 Cast::update() {
  if (!mEffects.empty()) {
    playEffects();
    return 0;
  }
  if (!mActions.empty()) {
    endStep();
    return 0;
  }
  return startStep() ? 0 : 1;
}

bool Cast::startStep() {
  Battle& battle = this->battle();
  battle.refresh();
  for (i32 i = 0; i < battle.unitCount(); ++i) {
    Unit& unit = *battle.unitAt(i);
    unit.show(unit.isAlive() ? UnitPose::kStand : UnitPose::kDown);
    revalidate(unit);
  }
  std::vector<Unit*> order;
  orderActions(battle, order);
  const auto actor = std::find_if(order.begin(), order.end(), [](const Unit* unit) { return canCast(*unit); });
  if (actor == order.end() || mAbort) {
    battle.pushTurnEnd();
    return false;
  }
  if (buildActions(**actor, false) && !chain(**actor)) {
    collectReactions();
  }
  for (const std::unique_ptr<Action>& action : mActions) {
    action->prepare();
  }
  createEffects(joinCaptions());
  mLeadInFrames = kLeadInFrames;
  mDimPending = true;
  mCamera = Effect::CastCamera{};
  return true;
}

// A command aimed at a cell where nothing of the aimed side lives any more
// turns to the first living unit of that side the art reaches.
void Cast::revalidate(Unit& unit) const {
  if (!unit.hasPlan() || holdsLivingUnit(battle(), unit.plan().front().target)) {
    return;
  }
  const PlannedAction& command = unit.plan().front();
  std::vector<Unit*> reachable;
  battle().collectReachable(unit, command.art, reachable);
  for (const Unit* candidate : reachable) {
    if (candidate->isAlive() && candidate->side() == command.target.side) {
      unit.retargetFirstCommand(candidate->place());
      return;
    }
  }
}

// An item is spent only while the bag holds one: of two members who chose
// the last, the second does nothing.
bool Cast::buildActions(Unit& unit, bool followUp) {
  const PlannedAction command = unit.plan().front();
  unit.dropFirstCommand();
  const ToolData* item = command.item.item();
  if (item && !battle().game().bag().takeItem(item)) {
    return false;
  }
  mActions.push_back(std::make_unique<Action>(
      battle(), ActionOrder{&unit, command.art, command.chosen, unit.weaponSlot(), command.target, item,
                            ActionOrder::kCommanded, pays(command), true, followUp, true}));
  std::vector<Ability> extras;
  unit.followUps(command.art, extras);
  for (const Ability& extra : extras) {
    mActions.push_back(std::make_unique<Action>(
        battle(), ActionOrder{&unit, extra, extra, -2, command.target, nullptr, ActionOrder::kExtra, false, true,
                              false, false}));
  }
  return true;
}

// True when someone joined.
bool Cast::chain(Unit& actor) {
  const Action& main = *mActions.front();
  ChainChance chance(startRate(main.chosenArt()), actor.abilityFactor(kOpenerAbility));
  if (!chance.isOpen()) {
    return false;
  }
  std::vector<Unit*> targets;
  for (const ActionTarget& result : main.results()) {
    targets.push_back(result.unit);
  }
  std::vector<Unit*> order;
  orderActions(battle(), order);
  bool joined = false;
  for (Unit* unit : order) {
    if (!canCast(*unit)) {
      continue;
    }
    const PlannedAction& command = unit->plan().front();
    const float joinRate = command.chosen.isValid() ? command.chosen.levelRecord().chainAccuracy(0) : 0.f;
    std::vector<Unit*> common;
    if (!unit->holds(kDelayState) && joinRate != 0.f) {
      std::vector<Unit*> aimed;
      Action::listTargets(battle(), command.art, command.target, aimed);
      common = shared(targets, aimed);
    }
    BattleSide& side = battle().side(unit->side());
    if (common.empty() ||
        chance.joinChance(joinRate, side.momentum(), unit->abilityFactor(kAceAbility)) <= unitDraw()) {
      chance.pass();
      continue;
    }
    targets = std::move(common);
    chance.join(startRate(command.chosen));
    side.joinChain();
    joined = buildActions(*unit, true) || joined;
  }
  return joined;
}

// Reactions follow the main action, before its extra arts.
void Cast::collectReactions() {
  Action& main = *mActions.front();
  std::vector<Reaction> reactions;
  std::vector<Unit*> order;
  orderActions(battle(), order);
  for (Unit* unit : order) {
    if (!unit->isAlive()) {
      continue;
    }
    StrikeReport strike{&main.actor(), &main.ability(), &main.effectRecord(), false, 0};
    for (const ActionTarget& result : main.results()) {
      if (result.unit == unit) {
        strike.hit = result.counted;
        strike.damage = result.kind == Effect::ActionRecord::kDamage ? result.amount : 0;
        break;
      }
    }
    unit->collectReactions(strike, reactions);
  }
  auto at = mActions.begin() + 1;
  for (const Reaction& reaction : reactions) {
    at = mActions.insert(at, std::make_unique<Action>(
                                 battle(), ActionOrder{reaction.actor, reaction.art, reaction.art, -1, reaction.aim,
                                                       nullptr, ActionOrder::kReaction, false, true, false, false}));
    ++at;
  }
}

// Two or more commanded actions show one caption: 「first…last」. The
// chain's lead-in marks then count from 1.
i32 Cast::joinCaptions() {
  std::vector<Action*> commanded;
  for (const std::unique_ptr<Action>& action : mActions) {
    if (action->kind() == ActionOrder::kCommanded) {
      commanded.push_back(action.get());
    }
  }
  if (commanded.size() < 2) {
    return 0;
  }
  String text("「");
  for (std::size_t i = 0; i < commanded.size(); ++i) {
    commanded[i]->chainName(text, i + 1 == commanded.size());
  }
  text.append("」");
  for (Action* action : commanded) {
    action->setCaption(action == commanded.front() ? text.c_str() : action->captionText().c_str(),
                       action == commanded.front());
  }
  return 1;
}

void Cast::createEffects(i32 chainIndex) {
  for (const std::unique_ptr<Action>& action : mActions) {
    std::unique_ptr<Effect::Cast> effect = Effect::Cast::createForAction(*action);
    if (!effect) {
      continue;
    }
    effect->setCamera(&mCamera);
    if (action->hasLeadIn()) {
      effect->startStartingEffect(chainIndex++);
    } else {
      effect->prepareStartingEffect();
    }
    mEffects.push_back(std::move(effect));
  }
}

void Cast::playEffects() {
  steerCamera();
  if (mLeadInFrames > 0) {
    mEffects.front()->setLeadInCamera();
    --mLeadInFrames;
    return;
  }
  for (const std::unique_ptr<Effect::Cast>& effect : mEffects) {
    if (effect->stepStartingEffect() == 0 || !effect->isSoundReady()) {
      return;
    }
  }
  if (mDimPending) {
    battle().dimOut();
    mDimPending = false;
  }
  i32 least = Effect::Cast::kFinished;
  for (const std::unique_ptr<Effect::Cast>& effect : mEffects) {
    least = std::min(least, effect->tick());
    if (least == Effect::Cast::kRunning) {
      break;
    }
  }
  if (least > Effect::Cast::kRunning) {
    battle().dimIn();
  }
  if (least == Effect::Cast::kFinished) {
    auto& finished = battle().finishedEffects();
    finished.clear();
    std::move(mEffects.begin(), mEffects.end(), std::back_inserter(finished));
    mEffects.clear();
  }
}

void Cast::steerCamera() const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  renderer->camera().lookAt(mCamera.target());
  battle().stage().setCameraZoom(mCamera.zoom);
}

void Cast::endStep() {
  const Action& main = *mActions.front();
  if (main.chosenArt().isValid()) {
    battle().setLastArt(main.chosenArt());
  }
  for (const std::unique_ptr<Action>& action : mActions) {
    action->applyResults();
  }
  for (const std::unique_ptr<Action>& action : mActions) {
    action->finish();
  }
  mActions.clear();
  battle().queueDueEvents();
  battle().removeDefeated();
}

}  // namespace Game::BattleStuff
