#include "field/EncounterTransition.h"

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/sound/BGM.h"
#include "field/BossAppearance.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game::Field {

namespace {

// The face of the boss the battle opens with; null for an ordinary battle.
const Face* bossFace(const Battle* battle) {
  const BattleDialogue* dialogue = battle ? battle->dialogue() : nullptr;
  FaceSet* faces = FaceSet::instance();
  return dialogue && faces ? faces->find(dialogue->face.c_str()) : nullptr;
}

}  // namespace

EncounterTransition::EncounterTransition(GameData& game, std::unique_ptr<Battle> battle)
    : mGame(game), mBattle(std::move(battle)) {
  if (const Face* boss = bossFace(mBattle.get())) {
    mAppearance = std::make_unique<BossAppearance>(boss);
  }
}

EncounterTransition::~EncounterTransition() = default;

bool EncounterTransition::update() {
  if (!mBattle) {
    return true;
  }
  if (mAppearance) {
    if (mAppearance->update()) {
      mAppearance.reset();
    }
    return false;
  }
  cueFrame();
  if (mFrame == kHandOverFrame) {
    mGame.setBattle(mBattle.release());
    return true;
  }
  ++mFrame;
  return false;
}

void EncounterTransition::cueFrame() {
  SceneRenderer* renderer = SceneRenderer::instance();
  Camera* camera = renderer ? &renderer->camera() : nullptr;
  if (camera) {
    camera->setPitch(kPitch);
  }
  if (mFrame == 0) {
    if (BGM* music = BGM::instance()) {
      music->stop();
    }
    if (camera) {
      camera->setZoom(kCloseZoom);
    }
    mBattle->playBattleSound(kSound, 0);
  }
  if (mFrame >= kPullAwayFrame && camera) {
    camera->setZoom(kFarZoom);
  }
  if (mFrame == kFadeFrame && renderer) {
    renderer->setFadeTarget(255);
  }
}

}  // namespace Game::Field
