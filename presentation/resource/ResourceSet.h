#pragma once

#include <vector>

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/model/Animation.h"

namespace Game {

class Batch;
class Material;
class Model;
class NmlNode;
class Texture;

// The textures, models, batches, materials and animations that one resource
// definition file and the files it includes define, found by name (exact,
// byte-wise). The first definition of a name wins: a later node of that name
// reuses the object and is not read, so a name referenced before its
// definition keeps the empty object the reference made.
class ResourceSet {
 public:
  // Includes nested deeper than this are taken for a cycle.
  static constexpr Engine::i32 kMaxIncludeDepth = 32;

  ResourceSet();
  ~ResourceSet();
  ResourceSet(const ResourceSet&) = delete;
  ResourceSet& operator=(const ResourceSet&) = delete;

  // Destroys textures, models, batches, materials and animations, in that
  // order; every pointer taken from the set becomes invalid.
  void clear();

  // Reads the definition file into the set. "#removable" entries go first
  // (whole nodes with the "omit" setting on). An include of a file that is
  // being read already is refused with a message naming both files.
  void load(const char* path);
  // Reads the children of node: "texture", "materials", "animation",
  // "batch", "model" and "include"; others are ignored. "file" keys are
  // resolved in directory.
  void loadNode(const NmlNode& node, const char* directory);

  // Null (an empty handle for animations) when the name is not held.
  Texture* findTexture(const char* name) const;
  Model* findModel(const char* name) const;
  Batch* findBatch(const char* name) const;
  Material* findMaterial(const char* name) const;
  Animation findAnimation(const char* name) const;
  // In definition order; null (empty) past the end.
  Model* getModel(Engine::i32 i) const;
  Batch* getBatch(Engine::i32 i) const;
  Animation getAnimation(Engine::i32 i) const;

  OwnedList<Texture>& textures() { return mTextures; }
  OwnedList<Model>& models() { return mModels; }
  OwnedList<Batch>& batches() { return mBatches; }
  OwnedList<Material>& materials() { return mMaterials; }
  OwnedList<Animation>& animations() { return mAnimations; }

  // While a node is read: the directory its "file" keys resolve in, and the
  // file it came from ("" for a node not read from a file), for messages.
  const char* loadingDirectory() const { return mDirectory; }
  const char* loadingFile() const;

 private:
  void include(const NmlNode& node, const char* directory);
  bool isOpen(const char* path) const;

  OwnedList<Texture> mTextures;
  OwnedList<Model> mModels;
  OwnedList<Batch> mBatches;
  OwnedList<Material> mMaterials;
  OwnedList<Animation> mAnimations;
  // The chain of files being read, outermost first.
  std::vector<String> mOpenFiles;
  const char* mDirectory = "";
};

}  // namespace Game
