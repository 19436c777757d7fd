#include "presentation/render/Transform.h"

#include "core/file/nml/NmlNode.h"

namespace Game {

using Engine::Math::Vector3;

namespace {

bool readVector(const NmlNode& node, const char* key, Vector3* out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return false;
  }
  line->toVector(*out);
  return true;
}

}  // namespace

Engine::i32 Transform::load(const NmlNode& node) {
  Engine::i32 read = 0;
  read += readVector(node, "rotate", &rotation);
  if (readVector(node, "scale", &scale)) {
    scale *= 0.01f;
    ++read;
  }
  read += readVector(node, "position", &position);
  return read;
}

void Transform::toMatrix(Engine::Math::Matrix34* out, Engine::Math::Matrix33* normal) const {
  Engine::Math::Matrix33 rotationMatrix;
  rotationMatrix.setIdentity();
  rotationMatrix.rotateY(rotation.y);
  rotationMatrix.rotateX(rotation.x);
  rotationMatrix.rotateZ(rotation.z);
  const float toMatrixUnits = 1.f / kWorldUnitsPerMatrixUnit;
  out->setTranslation(position.x * toMatrixUnits, position.y * toMatrixUnits, position.z * toMatrixUnits);
  *out *= rotationMatrix;
  if (normal) {
    *normal = rotationMatrix;
  }
  out->scale(scale);
}

}  // namespace Game
