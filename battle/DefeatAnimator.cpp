#include "battle/DefeatAnimator.h"

#include <algorithm>
#include <cmath>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/random/RandomGenerator.h"
#include "live/Unit.h"
#include "live/unit/Ghost.h"
#include "presentation/model/Animation.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNode.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr float kDissolveGrey = 0.5f;

}  // namespace

DefeatAnimator::DefeatAnimator(Battle& battle) : mBattle(battle) {}

// The units go before the ghosts they stand on.
DefeatAnimator::~DefeatAnimator() {
  clear(mOrdinary);
  clear(mBosses);
}

void DefeatAnimator::clear(std::vector<Defeated>& list) {
  for (Defeated& defeated : list) {
    defeated.unit.reset();
  }
  list.clear();
}

ResourceSet& DefeatAnimator::resources() {
  if (!mLoaded) {
    mLoaded = true;
    mResources.load(kResourceFile);
  }
  return mResources;
}

void DefeatAnimator::add(std::unique_ptr<Unit> unit, std::unique_ptr<Ghost> ghost) {
  if (!unit) {
    return;
  }
  collectRewards(*unit);
  Defeated defeated{std::move(unit), std::move(ghost)};
  const i32 style = defeated.unit->defeatStyle();
  if (style == Unit::kOrdinaryDefeat) {
    mOrdinary.push_back(std::move(defeated));
  } else if (style == Unit::kBossDefeat) {
    mBosses.push_back(std::move(defeated));
  } else {
    defeated.unit.reset();
  }
}

void DefeatAnimator::collectRewards(Unit& unit) {
  Ghost& ghost = unit.ghost();
  if (!ghost.isEnemy()) {
    return;
  }
  BattleSpoils& spoils = mBattle.spoils();
  spoils.addRewards(ghost.getMoneyReward(), ghost.getExperienceReward(), ghost.getMasterExperienceReward());
  if (const ToolData* item = ghost.dropItem()) {
    spoils.items.push_back(item);
  }
  if (const std::vector<const ToolData*>* materials = ghost.getMaterials()) {
    for (const ToolData* material : *materials) {
      if (material) {
        mBattle.game().addMaterial(*material);
      }
    }
  }
}

// Ordinary defeats first, all at once; then the bosses' long dissolve.
bool DefeatAnimator::update() {
  if (!mOrdinary.empty()) {
    if (mFrame == 0) {
      startOrdinary();
    }
    lookAtCentre(mOrdinary);
    if (++mFrame >= kOrdinaryFrames) {
      for (Defeated& defeated : mOrdinary) {
        // The node finishes its fall on its own.
        if (defeated.fading) {
          defeated.unit->forgetSceneNode();
        }
      }
      clear(mOrdinary);
      mFrame = 0;
    }
    return false;
  }
  if (!mBosses.empty()) {
    updateBosses();
    return false;
  }
  return true;
}

void DefeatAnimator::startOrdinary() {
  ResourceSet& set = resources();
  const Animation down = set.findAnimation(kDownAnimation);
  Model* common = set.findModel(kCommonModel);
  for (Defeated& defeated : mOrdinary) {
    Unit& unit = *defeated.unit;
    SceneNode* node = unit.node();
    const AnimationBody* fall = down.body();
    if (node && fall) {
      node->addOverlay(down, 0.f);
      node->setLifetime(static_cast<i32>(fall->duration));
      defeated.fading = true;
    }
    unit.playNamedMotion(kDamageMotion, 0.f);
    if (common) {
      unit.createNode(common);
    }
    mBattle.playBattleSound(kDestroySound, 0);
  }
}

void DefeatAnimator::updateBosses() {
  if (mFrame < kBossBurst) {
    if (mFrame == kBossFlashFrames[0] || mFrame == kBossFlashFrames[1]) {
      mBattle.flash(kBossFlashColour, kBossFlashLength);
      mBattle.playBattleSound(kBossFlashSound, 0);
    }
    mBattle.stage().setCameraZoom(kBossZoom);
    lookAtCentre(mBosses);
  } else if (mFrame == kBossBurst) {
    for (Defeated& defeated : mBosses) {
      defeated.unit->playNamedMotion(kDamageMotion, 0.f);
    }
    mBattle.playBattleSound(kBossEndSound, 0);
  } else {
    for (Defeated& defeated : mBosses) {
      dissolve(*defeated.unit, dissolveProgress(mFrame));
    }
  }
  if (++mFrame >= kBossFrames) {
    clear(mBosses);
    mFrame = 0;
  }
}

// Thrown further and turned more as t grows; fading, and greying toward the
// middle grey as it fades.
DefeatAnimator::Dissolve DefeatAnimator::dissolveAt(float t) {
  Dissolve look;
  look.spread = kDissolveSpread * t * t;
  look.turn = kDissolveTurn * std::sqrt(t);
  look.secondTurn = look.turn + 180.f;
  look.alpha = std::max(0.f, 1.f - t);
  const float grey = look.alpha + (1.f - look.alpha) * kDissolveGrey;
  look.shade = grey * look.alpha;
  return look;
}

// A copy of the boss, one frame long, at a random offset of the spread.
void DefeatAnimator::dissolve(Unit& boss, float t) {
  SceneNode* node = boss.node();
  SceneNode* copy = node ? mBattle.scenePool()->clone(*node) : nullptr;
  if (!copy) {
    return;
  }
  const Dissolve look = dissolveAt(t);
  Vector3 shift;
  RandomGenerator::instance()->getCenteredDirection(&shift, 360.f, 180.f);
  copy->position.translate(Vector3(shift.x * look.spread, shift.y * look.spread, shift.z * look.spread));
  const Vector3 rotation = node->rotation.value();
  copy->rotation.setValue(rotation.x + look.turn, rotation.y + look.secondTurn, rotation.z);
  copy->setColor(Color(look.alpha, look.shade, look.shade, look.shade));
  copy->setLifetime(1);
}

void DefeatAnimator::lookAtCentre(const std::vector<Defeated>& list) {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer || list.empty()) {
    return;
  }
  Vector3 centre(0.f, 0.f, 0.f);
  for (const Defeated& defeated : list) {
    Vector3 position;
    defeated.unit->getPosition(position);
    centre.x += position.x;
    centre.y += position.y;
    centre.z += position.z;
  }
  const float n = static_cast<float>(list.size());
  renderer->camera().lookAt(Vector3(centre.x / n, centre.y / n, centre.z / n));
}

}  // namespace Game
