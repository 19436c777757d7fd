#include "presentation/render/Material.h"

#include "Engine/Base/DebugStream.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

using Engine::i32;

namespace {

// A bare key: its presence is the flag.
bool readPresence(const NmlNode& node, const char* key, bool* out) {
  if (node.countAttributes(key) == 0) {
    return false;
  }
  *out = true;
  return true;
}

bool readBool(const NmlNode& node, const char* key, bool* out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return false;
  }
  *out = line->toBool(0);
  return true;
}

// The first of the number keys a material reads whose line holds a value
// that is not a finite number, or null.
const char* notFiniteKey(const NmlNode& node) {
  for (const char* key : {"colorBlend", "diffuse", "specular", "ambient", "emission", "rotate", "scale", "position"}) {
    const NmlAttribute* line = node.findAttribute(key);
    if (line && !line->allFinite()) {
      return key;
    }
  }
  return nullptr;
}

}  // namespace

i32 Material::load(const NmlNode& node, const char* sourceName) {
  mState.reset();
  if (const char* key = notFiniteKey(node)) {
    Engine::cout << "Material: " << (sourceName && *sourceName ? sourceName : "(no file)") << " : materials "
                 << name() << " : the key \"" << key << "\" holds a value that is not a finite number"
                 << Engine::endl;
    return 0;
  }
  i32 read = mState.colors.load(node);
  read += node.countAttributes("name") > 0;
  if (const NmlAttribute* line = node.findAttribute("blendMode")) {
    mState.setBlendModeFromKey(line->toInt(0));
    ++read;
  }
  // Read after the blend mode, so an explicit key wins over its default.
  read += readBool(node, "depthTest", &mState.depthTest);
  read += readBool(node, "depthWrite", &mState.depthWrite);
  if (const NmlAttribute* line = node.findAttribute("cull")) {
    mState.setCull(line->toBool(0), line->toBool(1));
    ++read;
  }
  if (node.countChildren("light") > 0) {
    mState.lightFlags.load(*node.findChild("light"));
    ++read;
  }
  read += loadFlags(node);
  Transform transform;
  if (const i32 transformKeys = transform.load(node)) {
    mState.setTransform(transform);
    read += transformKeys;
  }
  return read;
}

i32 Material::loadFlags(const NmlNode& node) {
  i32 read = readPresence(node, "background", &mState.background);
  read += readPresence(node, "frontEnd", &mState.frontEnd);
  read += readPresence(node, "billboard", &mState.billboard);
  read += readPresence(node, "negative", &mState.negative);
  if (const NmlAttribute* line = node.findAttribute("reverse")) {
    for (i32 axis = 0; axis < 3; ++axis) {
      mState.reverse[axis] = line->toBool(axis);
    }
    ++read;
  }
  return read;
}

Material* Material::findOrCreate(ResourceSet& set, const NmlNode& node) {
  const NmlAttribute* nameLine = node.findAttribute("name");
  const char* name = nameLine ? nameLine->toString(0) : "";
  if (nameLine) {
    if (Material* held = set.findMaterial(name)) {
      return held;
    }
  }
  Material* material = set.materials().addNew();
  material->setName(name);
  material->load(node, set.loadingFile());
  return material;
}

}  // namespace Game
