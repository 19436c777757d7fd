#include "records/database/EnemyData.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "core/random/WeightedTable.h"
#include "records/ability/AbilityHosts.h"
#include "records/stats/StatMath.h"
#include "core/file/nml/NmlNode.h"
#include "records/Database.h"
#include "core/file/DataError.h"
#include "records/table/RecordReading.h"
#include "records/database/ShellData.h"
#include "records/expression/Expression.h"

namespace Game {

using Engine::i32;
using namespace RecordReading;

namespace {

const ToolData& existingTool(const char* name) {
  const ToolData* tool = Database::instance()->findTool(name);
  if (!tool) {
    DataError::unknownName(__FILE__, __LINE__, "tool", name);
  }
  return *tool;
}

// One weighted choice of a walk: a nested action or an art entry.
using Choice = std::variant<const EnemyAction*, const Ability*>;

void walk(const EnemyAction& node, ArtUser& user);

void gatherArts(const AbilityList& list, ArtUser& user, std::vector<Choice>& choices, WeightedTable& weights) {
  for (i32 i = 0; i < list.count(); ++i) {
    const Ability& art = list.at(i);
    if (user.canUse(art) && (art.area() == 0 || user.hasTargets(art))) {
      choices.emplace_back(&art);
      weights.add(static_cast<i32>(choices.size()) - 1, art.priority());
    }
  }
}

void pickAndRun(const EnemyAction& node, ArtUser& user) {
  std::vector<Choice> choices;
  WeightedTable weights;
  for (const EnemyAction& nested : node.actions) {
    if (nested.holdsFor(user)) {
      choices.emplace_back(&nested);
      weights.add(static_cast<i32>(choices.size()) - 1, nested.priority);
    }
  }
  gatherArts(node.abilities, user, choices, weights);
  gatherArts(node.arts, user, choices, weights);
  if (choices.empty()) {
    return;
  }
  for (i32 n = 0; n < node.number; ++n) {
    const i32 picked = weights.pick();
    if (picked < 0 || static_cast<std::size_t>(picked) >= choices.size()) {
      continue;
    }
    if (const auto* action = std::get_if<const EnemyAction*>(&choices[static_cast<std::size_t>(picked)])) {
      walk(**action, user);
    } else {
      user.candidateArts().add(*std::get<const Ability*>(choices[static_cast<std::size_t>(picked)]));
    }
  }
}

void walk(const EnemyAction& node, ArtUser& user) {
  if (!node.abilities.isEmpty() || !node.arts.isEmpty() || !node.actions.empty()) {
    pickAndRun(node, user);
  }
  if (node.next.empty()) {
    return;
  }
  std::vector<const EnemyAction*> open;
  WeightedTable weights;
  for (const EnemyAction& next : node.next) {
    if (next.holdsFor(user)) {
      weights.add(static_cast<i32>(open.size()), next.priority);
      open.push_back(&next);
    }
  }
  const i32 picked = open.empty() ? -1 : weights.pick();
  if (picked >= 0 && static_cast<std::size_t>(picked) < open.size()) {
    walk(*open[static_cast<std::size_t>(picked)], user);
  }
}

}  // namespace

void EnemyAction::read(const NmlNode& node) {
  readInt(node, "number", number);
  if (const NmlAttribute* line = node.findAttribute("priority")) {
    priority = static_cast<float>(line->toInt(0));
  }
  condition = compiled(node, "expression");
  for (i32 i = 0; const NmlAttribute* line = node.findAttribute("ability", i); ++i) {
    abilities.add(Ability::fromName(line->toString(0)));
  }
  arts.load(node);
  for (i32 i = 0; i < node.countChildren("action"); ++i) {
    actions.emplace_back().read(*node.findChild("action", i));
  }
  for (i32 i = 0; i < node.countChildren("next"); ++i) {
    next.emplace_back().read(*node.findChild("next", i));
  }
}

bool EnemyAction::holdsFor(const ArtUser& user) const { return !condition || condition->evaluateForUnit(user.unit()) != 0; }

void EnemyData::read(const NmlNode& node, const StateTable& states) {
  mName.assign(required(node, "name").toString(0));
  mFullName.assign(name());
  readText(node, "fullName", mFullName);
  mFace.assign(name());
  readText(node, "face", mFace);
  mModel.assign(fullName());
  readText(node, "model", mModel);
  readInt(node, "score", mScore);
  readInt(node, "money", mMoney);
  if (const NmlAttribute* line = node.findAttribute("ABP")) {
    mAbp = line->toFloat(0) / 100.f;
  }
  mPerformance.read(requiredChild(node, "equip"));
  readGrowth(node);
  if (const NmlAttribute* line = node.findAttribute("HP")) {
    mHpScale = line->toFloat(0) / 100.f;
  }
  readLevel(node);
  if (const NmlNode* child = optionalChild(node, "attack")) {
    mAttack.read(*child);
    checkStates(mAttack, states);
  }
  if (const NmlNode* child = optionalChild(node, "defense")) {
    mDefense.read(*child, states);
  }
  mAction.read(requiredChild(node, "action"));
  if (const NmlNode* child = optionalChild(node, "passive")) {
    mPassive.load(*child);
  }
  readLoot(node);
  for (i32 i = 0; i < node.countChildren("metamorphose"); ++i) {
    const NmlNode& entry = *node.findChild("metamorphose", i);
    Metamorphosis& change = mMetamorphoses.emplace_back();
    change.name.assign(required(entry, "name").toString(0));
    change.condition = compiled(entry, "expression");
  }
}

void EnemyData::readGrowth(const NmlNode& node) {
  if (const NmlNode* child = optionalChild(node, "status")) {
    mGrowth.read(*child);
    return;
  }
  const ShellData* shell = Database::instance()->findShell(fullName());
  if (!shell) {
    DataError::badRecord(__FILE__, __LINE__, "no \"status\" and no shell to copy it from");
  }
  mGrowth = shell->growth();
}

void EnemyData::readLevel(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("level")) {
    mLowestLevel = line->toInt(0);
    mHighestLevel = line->itemCount() >= 2 ? line->toInt(1) : mLowestLevel;
  }
}

void EnemyData::readLoot(const NmlNode& node) {
  for (i32 i = 0; const NmlAttribute* line = node.findAttribute("drop", i); ++i) {
    const ToolData& tool = existingTool(line->toString(0));
    const float weight = line->itemCount() > 1 ? line->toFloat(1) : 0.f;
    const i32 threshold = line->itemCount() > 2 ? line->toInt(2) : 0;
    mDrops.push_back({&tool, weight, threshold});
  }
  for (i32 i = 0; const NmlAttribute* line = node.findAttribute("materials", i); ++i) {
    mMaterials.push_back(&existingTool(line->toString(0)));
  }
}

void EnemyData::linkMetamorphoses() {
  for (Metamorphosis& change : mMetamorphoses) {
    change.enemy = Database::instance()->findEnemy(change.name.c_str());
    if (!change.enemy) {
      DataError::unknownName(__FILE__, __LINE__, "enemy", change.name.c_str());
    }
  }
}

i32 EnemyData::levelAt(float rank, i32 bonus) const {
  const float span = (1.f - rank) * static_cast<float>(kMaxLevel - mLowestLevel) +
                     rank * static_cast<float>(mHighestLevel - mLowestLevel);
  const Engine::i64 level = Engine::i64{mLowestLevel} + bonus + StatMath::truncate(rank * span);
  const i32 capped = static_cast<i32>(std::min<Engine::i64>(level, kMaxLevel));
  return std::min(std::max(capped, mLowestLevel), mHighestLevel);
}

float EnemyData::lifeFactor() const { return std::sqrt(std::max(mHpScale, 0.f)) * mAbp; }

const ToolData* EnemyData::pickDrop(i32 level, DropMode mode) const {
  std::vector<const Drop*> candidates;
  WeightedTable weights;
  for (const Drop& drop : mDrops) {
    if (drop.threshold < level) {
      weights.add(static_cast<i32>(candidates.size()), drop.weight);
      candidates.push_back(&drop);
    }
  }
  if (candidates.empty()) {
    return nullptr;
  }
  const i32 picked = mode == DropMode::kDrop ? weights.pickWithin(100.f) : weights.pick();
  return picked >= 0 && static_cast<std::size_t>(picked) < candidates.size()
             ? candidates[static_cast<std::size_t>(picked)]->tool
             : nullptr;
}

const EnemyData* EnemyData::metamorphosis() const {
  for (const Metamorphosis& change : mMetamorphoses) {
    if (change.condition && change.condition->evaluate() != 0) {
      return change.enemy;
    }
  }
  return nullptr;
}

void EnemyData::collectArts(ArtUser& user) const {
  user.candidateArts().clear();
  walk(mAction, user);
  user.bindCandidateArts();
}

}  // namespace Game
