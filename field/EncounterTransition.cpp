#include "field/EncounterTransition.h"

#include "battle/Battle.h"
#include "core/game/GameData.h"
#include "core/sound/BGM.h"
#include "presentation/scene/SceneRenderer.h"

namespace Game::Field {

EncounterTransition::EncounterTransition(GameData& game, std::unique_ptr<Battle> battle)
    : mGame(game), mBattle(std::move(battle)) {}

EncounterTransition::~EncounterTransition() = default;

bool EncounterTransition::update() {
  if (!mBattle) {
    return true;
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
