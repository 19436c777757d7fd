#include "running/script/command/SceneCommands.h"

#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlNode.h"
#include "running/game/GameData.h"
#include "running/script/command/CommandReading.h"

namespace Game::ScriptStuff {

using Engine::i32;

SceneAddContainer::SceneAddContainer(const NmlNode& element)
    : mName(optionalText(element, "name")), mPath(optionalText(element, "path")) {}

i32 SceneAddContainer::execute(GameData& game) {
  game.sceneModels().createResourceSet(mPath.c_str(), mName.c_str());
  return kNext;
}

SceneAddModel::SceneAddModel(const NmlNode& element)
    : mName(optionalText(element, "name")), mLimit(optionalFloat(element, "limit", 0.f)) {
  const NmlAttribute* model = element.findAttribute("model");
  if (element.findAttribute("container") || !model || model->itemCount() < 2) {
    mContainer.assign(optionalText(element, "container"));
    mModel.assign(optionalText(element, "model"));
  } else {
    mContainer.assign(model->item(0));
    mModel.assign(model->item(1));
  }
}

i32 SceneAddModel::execute(GameData& game) {
  game.sceneModels().addModel(mContainer.c_str(), mModel.c_str(), mName.c_str(), mLimit);
  return kNext;
}

SceneDestroyModel::SceneDestroyModel(const NmlNode& element) : mName(optionalText(element, "name")) {}

i32 SceneDestroyModel::execute(GameData& game) {
  game.sceneModels().destroyModel(mName.c_str());
  return kNext;
}

}  // namespace Game::ScriptStuff
