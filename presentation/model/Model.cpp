#include "presentation/model/Model.h"

#include "file/nml/NmlNode.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

Model* Model::findOrCreate(ResourceSet& set, const NmlNode& node) {
  if (const NmlAttribute* nameLine = node.findAttribute("name")) {
    if (Model* held = set.findModel(nameLine->toString(0))) {
      return held;
    }
  }
  Model* model = set.models().addNew();
  model->mOwner = &set;
  model->load(node);
  return model;
}

void Model::load(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("name")) {
    mName.assign(line->toString(0));
  }
}

}  // namespace Game
