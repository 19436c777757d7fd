#pragma once

#include "core/container/SharedPtr.h"
#include "core/string/String.h"

namespace Game {

class NmlNode;
class ResourceSet;

// What an animation node describes. Only the name is read so far: the
// curves over time come with the animation player.
struct AnimationBody {
  float offset = 0.f;
  float duration = 0.f;
};

// A named handle to an animation body; copies share the body.
class Animation {
 public:
  // The set's animation of the node's "name" when it holds one (the node is
  // not read); otherwise a new one appended to the set and read.
  static Animation findOrCreate(ResourceSet& set, const NmlNode& node);

  void load(const NmlNode& node);

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  const AnimationBody* body() const { return mBody.get(); }
  explicit operator bool() const { return mBody.get() != nullptr; }
  bool operator==(const Animation& other) const { return mBody.get() == other.mBody.get(); }

 private:
  SharedPtr<AnimationBody> mBody;
  String mName;
};

}  // namespace Game
