#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/render/RenderState.h"

namespace Game {

class NmlNode;
class ResourceSet;

// A named render state read from a "materials" node of a resource file.
class Material {
 public:
  using List = OwnedList<Material>;

  // Resets the state and reads every key present; returns how many were.
  // A "depthTest" or "depthWrite" overrides what "blendMode" set. A number
  // key that holds a value that is not finite refuses the node: the state
  // stays reset, 0 is returned and the refusal is reported naming the file.
  Engine::i32 load(const NmlNode& node, const char* sourceName = "");
  // The set's material of the node's "name" when it holds one (the node is
  // not read); otherwise a new one, named by "name" (or empty), appended to
  // the set and loaded.
  static Material* findOrCreate(ResourceSet& set, const NmlNode& node);

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  void setName(const char* name) { mName.assign(name); }
  RenderState& state() { return mState; }
  const RenderState& state() const { return mState; }

 private:
  Engine::i32 loadFlags(const NmlNode& node);

  RenderState mState;
  String mName;
};

}  // namespace Game
