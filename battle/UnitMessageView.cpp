#include "battle/UnitMessageView.h"

#include "Engine/Math/Vector3.h"
#include "live/Unit.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/Color.h"
#include "presentation/scene/SceneNodePool.h"
#include "records/Database.h"
#include "records/database/BattlePictures.h"
#include "records/table/StateData.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

void UnitMessageView::show(const UnitStuff::Message& message) {
  if (message.kind == UnitStuff::Message::Kind::kDamage) {
    showNumber(message);
  } else {
    showState(message);
  }
}

// The flag makes a critical number; each whole of the scale springs it a
// row higher.
void UnitMessageView::showNumber(const UnitStuff::Message& message) const {
  SystemResources* resources = SystemResources::instance();
  if (!resources) {
    return;
  }
  Vector3 front;
  mUnit.getFrontPoint(front);
  resources->spawnNumber(mPool, message.value, front, Color(message.color), message.flag != 0,
                         static_cast<i32>(message.scale));
}

void UnitMessageView::showState(const UnitStuff::Message& message) const {
  Model* picture = mPictures(message.state);
  if (!picture) {
    return;
  }
  Vector3 front;
  mUnit.getFrontPoint(front);
  for (i32 i = 0; i < message.count; ++i) {
    const Vector3 at(front.x, front.y, front.z + kStateStep * static_cast<float>(i));
    mPool.launchAnimation(picture, at, kStateFrames, kStateRise);
  }
}

Model* UnitMessageView::statePicture(i32 state) {
  Database* database = Database::instance();
  const StateData* record = database ? database->states().at(state) : nullptr;
  if (!record) {
    return nullptr;
  }
  BattlePictures& pictures = database->maps().battle;
  if (PictureList* set = pictures.stateSet(record->name())) {
    if (Model* main = set->find("main")) {
      return main;
    }
  }
  return pictures.stateIcon(*record);
}

}  // namespace Game
