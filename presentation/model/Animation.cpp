#include "presentation/model/Animation.h"

#include "core/file/nml/NmlNode.h"
#include "presentation/render/ColorSet.h"
#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

using Engine::Math::Vector3;

namespace {

constexpr float kPercent = 100.f;

// Data gives these curves in percent. The curve is brought to percent before
// reading, so the axes a node leaves out keep their defaults, and back after.
template <class AnyCurve>
void loadPercent(const NmlNode& node, const char* key, AnyCurve& curve) {
  if (node.countChildren(key) == 0) {
    return;
  }
  curve.scale(kPercent);
  curve.load(*node.findChild(key));
  curve.scale(1.f / kPercent);
}

template <class AnyCurve>
void loadPlain(const NmlNode& node, const char* key, AnyCurve& curve) {
  if (node.countChildren(key) > 0) {
    curve.load(*node.findChild(key));
  }
}

}  // namespace

AnimationBody::AnimationBody() {
  ambient.setConstant(Vector3(1.f));
  emission.setConstant(Vector3(0.f));
  specular.setConstant(Vector3(0.f));
  diffuse.setConstant(Vector3(1.f));
  transparency.setConstant(1.f);
  sharpness.setConstant(0.f);
  rotate.setConstant(Vector3(0.f));
  scale.setConstant(Vector3(1.f));
  position.setConstant(Vector3(0.f));
}

void AnimationBody::load(const NmlNode& node) {
  if (const NmlAttribute* line = node.findAttribute("time")) {
    duration = line->toFloat(0);
  }
  if (const NmlAttribute* line = node.findAttribute("count")) {
    offset = line->toFloat(0);
  }
  loadPercent(node, "emission", emission);
  loadPercent(node, "ambient", ambient);
  loadPercent(node, "specular", specular);
  loadPercent(node, "diffuse", diffuse);
  loadPercent(node, "transparency", transparency);
  loadPercent(node, "sharpness", sharpness);
  loadPlain(node, "rotate", rotate);
  loadPercent(node, "scale", scale);
  loadPlain(node, "position", position);
}

void AnimationBody::apply(RenderState& state, float time) const {
  const float t = time + offset;
  if (t < 0.f || (duration != 0.f && t >= duration)) {
    return;
  }
  ColorSet colors;
  colors.ambient = ambient.valueAt(t);
  colors.emission = emission.valueAt(t);
  colors.specular = specular.valueAt(t);
  colors.diffuse = diffuse.valueAt(t);
  colors.transparency = transparency.valueAt(t);
  colors.sharpness = sharpness.valueAt(t);
  Transform transform;
  transform.rotation = rotate.valueAt(t);
  transform.scale = scale.valueAt(t);
  transform.position = position.valueAt(t);
  state.colors.combine(colors);
  state.applyTransform(transform);
}

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
  mBody->load(node);
}

void Animation::apply(RenderState& state, float time) const {
  if (const AnimationBody* body = mBody.get()) {
    body->apply(state, time);
  }
}

}  // namespace Game
