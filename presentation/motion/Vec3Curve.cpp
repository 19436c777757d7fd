#include "presentation/motion/Vec3Curve.h"

#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::i32;

void Vec3Curve::load(const NmlNode& node) {
  if (node.countChildren("all") > 0) {
    const NmlNode& all = *node.findChild("all");
    x.load(all);
    y.load(all);
    z.load(all);
  }
  Curve* const axes[] = {&x, &y, &z};
  const char* const names[] = {"x", "y", "z"};
  for (i32 i = 0; i < 3; ++i) {
    if (node.countChildren(names[i]) > 0) {
      axes[i]->load(*node.findChild(names[i]));
    }
  }
}

void Vec3Curve::setConstant(const Engine::Math::Vector3& v) {
  x.setConstant(v.x);
  y.setConstant(v.y);
  z.setConstant(v.z);
}

void Vec3Curve::scale(float f) {
  x.scale(f);
  y.scale(f);
  z.scale(f);
}

void Vec3Curve::setOffset(float offset) {
  x.setOffset(offset);
  y.setOffset(offset);
  z.setOffset(offset);
}

}  // namespace Game
