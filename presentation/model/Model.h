#pragma once

#include "core/string/String.h"

namespace Game {

class NmlNode;
class ResourceSet;

// An animated composite of batches, child models, materials and animations
// that scene nodes play. Only the name is read so far: the composite and its
// drawing come with the model player.
class Model {
 public:
  // The set's model of the node's "name" when it holds one (the node is not
  // read); otherwise a new one appended to the set and loaded.
  static Model* findOrCreate(ResourceSet& set, const NmlNode& node);

  void load(const NmlNode& node);

  const char* name() const { return mName.c_str() ? mName.c_str() : ""; }
  ResourceSet* owner() const { return mOwner; }

 private:
  String mName;
  ResourceSet* mOwner = nullptr;
};

}  // namespace Game
