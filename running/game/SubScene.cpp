#include "running/game/SubScene.h"

#include "records/database/MapSiteData.h"

namespace Game {

Engine::i32 FieldSubScene::saveMode() const {
  const MapSiteData* site = currentSite();
  return site ? site->save() : 0;
}

}  // namespace Game
