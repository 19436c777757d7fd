#include "presentation/model/Animation.h"

#include "file/nml/NmlNode.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

Animation Animation::findOrCreate(ResourceSet& set, const NmlNode& node) {
  if (const NmlAttribute* nameLine = node.findAttribute("name")) {
    if (Animation held = set.findAnimation(nameLine->toString(0))) {
      return held;
    }
  }
  Animation* animation = set.animations().addNew();
  animation->load(node);
  return *animation;
}

void Animation::load(const NmlNode& node) {
  mBody.reset(new AnimationBody());
  if (const NmlAttribute* line = node.findAttribute("name")) {
    mName.assign(line->toString(0));
  }
}

}  // namespace Game
