#include "presentation/model/PartTransform.h"

#include "core/file/nml/NmlNode.h"

namespace Game {

const char* PartTransform::read(const NmlNode& node) {
  const char* notFinite = nullptr;
  // A line that is not finite is only named (the node is refused), never
  // read: a number of a data file that is not finite stops the program.
  const auto finite = [&notFinite](const NmlAttribute& line, const char* key) {
    if (line.allFinite()) {
      return true;
    }
    notFinite = notFinite ? notFinite : key;
    return false;
  };
  if (const NmlAttribute* line = node.findAttribute("position"); line && finite(*line, "position")) {
    line->toVector(position);
  }
  if (const NmlAttribute* line = node.findAttribute("scale"); line && finite(*line, "scale")) {
    line->toVector(scale);
    scale *= 0.01f;
  }
  if (const NmlAttribute* line = node.findAttribute("rotate"); line && finite(*line, "rotate")) {
    line->toVector(rotate);
  }
  if (node.findAttribute("reverseNormal")) {
    reverseNormal = true;
  }
  if (const NmlAttribute* line = node.findAttribute("color")) {
    color.setPacked(static_cast<Engine::u32>(line->toInt(0)));
  }
  return notFinite;
}

void PartTransform::toMatrix(Engine::Math::Matrix34& out) const {
  out.setIdentity();
  out.translate(position);
  out.rotateY(rotate.y);
  out.rotateX(rotate.x);
  out.rotateZ(rotate.z);
  out.scale(scale);
}

PartTransform PartTransform::translation(float x, float y, float z) {
  PartTransform t;
  t.position.set(x, y, z);
  return t;
}

PartTransform PartTransform::rotation(float x, float y, float z) {
  PartTransform t;
  t.rotate.set(x, y, z);
  return t;
}

PartTransform PartTransform::scaling(float x, float y, float z) {
  PartTransform t;
  t.scale.set(x, y, z);
  return t;
}

}  // namespace Game
