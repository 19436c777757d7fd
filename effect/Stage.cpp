#include "effect/Stage.h"

#include "Engine/Base/DebugStream.h"
#include "core/sound/SoundEffectList.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"

namespace Game::Effect {

void Stage::startBattleSound(const char* key, Engine::i32 delay) {
  if (Database* database = Database::instance()) {
    database->maps().battle.battleSounds().start(key, delay);
  }
}

void Stage::soundPlayed(const char*, Engine::i32, Engine::i32) {}

void Stage::lookupFailed(const char* what, const char* name) {
  Engine::cout << "Effect: no " << what << " \"" << (name ? name : "") << "\"" << Engine::endl;
}

}  // namespace Game::Effect
