#pragma once

#include "core/container/SharedPtr.h"
#include "core/string/String.h"
#include "presentation/motion/Curve.h"
#include "presentation/motion/Vec3Curve.h"

namespace Game {

class NmlNode;
class RenderState;
class ResourceSet;

// Curves over time that modify a render state: colour factors, opacity and
// sharpness (read in percent), rotation (degrees), scale (percent) and
// position (world units). Curves a node leaves out keep their defaults, which
// change nothing.
struct AnimationBody {
  AnimationBody();

  // "time" → duration, "count" → offset, then the curve children.
  void load(const NmlNode& node);
  // See Animation::apply.
  void apply(RenderState& state, float time) const;

  Vec3Curve ambient;
  Vec3Curve emission;
  Vec3Curve specular;
  Vec3Curve diffuse;
  Curve transparency;
  Curve sharpness;
  Vec3Curve rotate;
  Vec3Curve scale;
  Vec3Curve position;
  float offset = 0.f;
  // Frames; 0 plays for ever.
  float duration = 0.f;
};

// A named handle to an animation body; copies share the body.
class Animation {
 public:
  // The set's animation of the node's "name" when it holds one (the node is
  // not read); otherwise a new one appended to the set and read.
  static Animation findOrCreate(ResourceSet& set, const NmlNode& node);

  void load(const NmlNode& node);
  // At time + offset, when that lies in [0, duration) (or is not negative
  // for an endless animation): the state's colours are multiplied by the
  // curves' and its transform post-multiplied by theirs. An empty handle
  // does nothing.
  void apply(RenderState& state, float time) const;

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  const AnimationBody* body() const { return mBody.get(); }
  explicit operator bool() const { return mBody.get() != nullptr; }
  bool operator==(const Animation& other) const { return mBody.get() == other.mBody.get(); }

 private:
  SharedPtr<AnimationBody> mBody;
  String mName;
};

}  // namespace Game
