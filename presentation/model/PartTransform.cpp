#include "presentation/model/PartTransform.h"

#include "file/nml/NmlNode.h"

namespace Game {

const char* PartTransform::read(const NmlNode& node) {
  const char* notFinite = nullptr;
  const auto note = [&notFinite](const NmlAttribute& line, const char* key) {
    if (!notFinite && !line.allFinite()) {
      notFinite = key;
    }
  };
  if (const NmlAttribute* line = node.findAttribute("position")) {
    line->toVector(position);
    note(*line, "position");
  }
  if (const NmlAttribute* line = node.findAttribute("scale")) {
    line->toVector(scale);
    scale *= 0.01f;
    note(*line, "scale");
  }
  if (const NmlAttribute* line = node.findAttribute("rotate")) {
    line->toVector(rotate);
    note(*line, "rotate");
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
