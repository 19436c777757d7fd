#include "presentation/render/RenderState.h"

#include "presentation/render/Transform.h"

namespace Game {

using Engine::i32;
using Engine::u32;
using Engine::Math::Matrix33;
using Engine::Math::Matrix34;

void RenderState::reset() {
  blendMode = kInheritBlend;
  depthTest = true;
  depthWrite = true;
  inverted = false;
  cull = kInheritCull;
  lightFlags.clear();
  background = false;
  frontEnd = false;
  billboard = false;
  negative = false;
  firstIndex = 0;
  primitiveCount = kWholeMesh;
  reverse[0] = reverse[1] = reverse[2] = false;
  transform.setIdentity();
  normalTransform.setIdentity();
  billboardTransform.setIdentity();
  colors = ColorSet();
}

void RenderState::setBlendMode(u32 mode) {
  blendMode = mode;
  if (mode == 0 || mode == kInheritBlend) {
    depthTest = true;
    depthWrite = true;
  } else if (mode <= 5) {
    depthTest = true;
    depthWrite = false;
  }
}

void RenderState::setBlendModeFromKey(i32 value) {
  if (value == -1) {
    setBlendMode(kInheritBlend);
  } else if (value >= 0 && value <= 5) {
    setBlendMode(static_cast<u32>(value));
  }
}

void RenderState::setCull(bool a, bool b) {
  if (a && b) {
    cull = kInheritCull;
  } else {
    cull = a ? 1 : b ? 2 : 0;
  }
}

void RenderState::setTransform(const Transform& t) {
  if (billboard) {
    t.toMatrix(&billboardTransform);
  } else {
    t.toMatrix(&transform, &normalTransform);
  }
}

void RenderState::applyTransform(const Transform& t) {
  Matrix34 m;
  Matrix33 rotation;
  t.toMatrix(&m, &rotation);
  if (billboard) {
    billboardTransform *= m;
  } else {
    transform *= m;
    normalTransform *= rotation;
  }
}

void RenderState::translate(float x, float y, float z) {
  Transform t;
  t.position.set(x, y, z);
  setTransform(t);
}

void RenderState::setColorPacked(u32 argb) {
  const auto byte = [argb](int shift) { return static_cast<float>((argb >> shift) & 0xFFu) / 255.f; };
  colors.transparency = byte(24);
  colors.ambient.set(byte(16), byte(8), byte(0));
}

void RenderState::mirror(const bool (&axes)[3]) {
  for (i32 axis = 0; axis < 3; ++axis) {
    if (axes[axis]) {
      transform.scale(axis == 0 ? -1.f : 1.f, axis == 1 ? -1.f : 1.f, axis == 2 ? -1.f : 1.f);
      inverted = !inverted;
    }
  }
}

void RenderState::combine(const RenderState& child) {
  // This state's billboard flag before the child's is OR-ed in decides where
  // the child's transform goes.
  if (billboard) {
    billboardTransform *= child.transform;
  } else {
    transform *= child.transform;
    normalTransform *= child.normalTransform;
  }
  billboardTransform *= child.billboardTransform;

  if (child.blendMode != kInheritBlend) {
    blendMode = child.blendMode;
  }
  depthTest = depthTest && child.depthTest;
  depthWrite = depthWrite && child.depthWrite;
  if (child.cull != kInheritCull) {
    cull = child.cull;
  }

  lightFlags.add(child.lightFlags);
  background = background || child.background;
  frontEnd = frontEnd || child.frontEnd;
  billboard = billboard || child.billboard;
  negative = negative != child.negative;

  if (child.firstIndex != 0) {
    firstIndex = child.firstIndex;
  }
  if (child.primitiveCount > 0) {
    primitiveCount = child.primitiveCount;
  }

  mirror(child.reverse);
  inverted = inverted != child.inverted;

  colors.combine(child.colors);
}

RenderState RenderState::combined(const RenderState& parent, const RenderState& child) {
  RenderState out = parent;
  out.combine(child);
  return out;
}

void RenderState::applyReverse() {
  mirror(reverse);
  reverse[0] = reverse[1] = reverse[2] = false;
}

void RenderState::applyBillboard(const Matrix34& billboardMatrix) {
  if (!billboard) {
    return;
  }
  // Turn about the state's own origin: T(p) · B · T(−p) · transform.
  Engine::Math::Vector3 origin(transform.m[0][3], transform.m[1][3], transform.m[2][3]);
  Matrix34 turned;
  turned.setTranslation(origin.x, origin.y, origin.z);
  if (!frontEnd) {
    turned *= billboardMatrix;
  }
  Matrix34 back;
  back.setTranslation(-origin.x, -origin.y, -origin.z);
  turned *= back;
  turned *= transform;
  Matrix33 undoRotation;
  undoRotation.setInverse(normalTransform);
  turned *= undoRotation;
  normalTransform.setIdentity();
  turned *= billboardTransform;
  billboardTransform.setIdentity();
  transform = turned;
}

}  // namespace Game
