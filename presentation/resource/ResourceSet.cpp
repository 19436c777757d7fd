#include "presentation/resource/ResourceSet.h"

#include <cstring>

#include "Engine/Base/DebugStream.h"
#include "core/config/Config.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/model/Model.h"
#include "presentation/render/Material.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/Texture.h"

namespace Game {

using Engine::i32;

namespace {

template <class T>
T* findNamed(const OwnedList<T>& list, const char* name) {
  for (typename OwnedList<T>::Iterator it(list); !it.isEnd(); it.next()) {
    if (std::strcmp(it.value()->name(), name) == 0) {
      return it.value();
    }
  }
  return nullptr;
}

template <class T>
T* positioned(const OwnedList<T>& list, i32 i) {
  typename OwnedList<T>::Node* node = list.nodeAt(i);
  return node ? node->mObject : nullptr;
}

// "a/b/c.txt" gives "a/b/"; a path without a slash lies in the working
// directory, which is "".
String directoryOf(const char* path) {
  String directory(path);
  if (std::strchr(path, '/')) {
    directory.cutToDirectory();
  } else {
    directory.assign("");
  }
  return directory;
}

bool nodeNamed(const NmlNode& node, const char* name) { return std::strcmp(node.name(), name) == 0; }

}  // namespace

ResourceSet::ResourceSet() = default;

ResourceSet::~ResourceSet() { clear(); }

void ResourceSet::clear() {
  mTextures.clear();
  mModels.clear();
  mBatches.clear();
  mMaterials.clear();
  mAnimations.clear();
}

void ResourceSet::load(const char* path) {
  if (isOpen(path)) {
    Engine::cout << "ResourceSet: " << loadingFile() << " includes " << path
                 << ", which is being read already; the include is skipped" << Engine::endl;
    return;
  }
  // The same file spelled another way each round ("a/../x") is a cycle too.
  if (static_cast<i32>(mOpenFiles.size()) >= kMaxIncludeDepth) {
    Engine::cout << "ResourceSet: " << loadingFile() << " includes " << path << " " << kMaxIncludeDepth
                 << " files deep (from " << mOpenFiles.front().c_str() << "); the include is skipped"
                 << Engine::endl;
    return;
  }
  NmlDocument document;
  document.load(path);
  document.removeMarked("#removable", Config::instance().setting(Config::kOmit).value() != 0);
  mOpenFiles.emplace_back(path);
  const String directory = directoryOf(path);
  loadNode(document, directory.c_str() ? directory.c_str() : "");
  mOpenFiles.pop_back();
}

void ResourceSet::loadNode(const NmlNode& node, const char* directory) {
  const char* outerDirectory = mDirectory;
  mDirectory = directory;
  for (i32 i = 0; i < node.childCount(); ++i) {
    const NmlNode& child = *node.child(i);
    if (nodeNamed(child, "texture")) {
      Texture::findOrCreate(*this, child, directory);
    } else if (nodeNamed(child, "materials")) {
      Material::findOrCreate(*this, child);
    } else if (nodeNamed(child, "animation")) {
      Animation::findOrCreate(*this, child);
    } else if (nodeNamed(child, "batch")) {
      Batch::findOrCreate(*this, child);
    } else if (nodeNamed(child, "model")) {
      Model::findOrCreate(*this, child);
    } else if (nodeNamed(child, "include")) {
      include(child, directory);
    }
  }
  mDirectory = outerDirectory;
}

void ResourceSet::include(const NmlNode& node, const char* directory) {
  if (const NmlAttribute* pathLine = node.findAttribute("path")) {
    load(pathLine->toString(0));
  } else if (const NmlAttribute* fileLine = node.findAttribute("file")) {
    String path(directory);
    path.append(fileLine->toString(0));
    load(path.c_str());
  } else {
    Engine::cout << "ResourceSet: " << loadingFile() << " : an include names neither \"path\" nor \"file\""
                 << Engine::endl;
  }
}

bool ResourceSet::isOpen(const char* path) const {
  for (const String& open : mOpenFiles) {
    if (open == path) {
      return true;
    }
  }
  return false;
}

const char* ResourceSet::loadingFile() const {
  if (mOpenFiles.empty() || !mOpenFiles.back().c_str()) {
    return "";
  }
  return mOpenFiles.back().c_str();
}

Texture* ResourceSet::findTexture(const char* name) const { return findNamed(mTextures, name); }

Model* ResourceSet::findModel(const char* name) const { return findNamed(mModels, name); }

Batch* ResourceSet::findBatch(const char* name) const { return findNamed(mBatches, name); }

Material* ResourceSet::findMaterial(const char* name) const { return findNamed(mMaterials, name); }

Animation ResourceSet::findAnimation(const char* name) const {
  const Animation* held = findNamed(mAnimations, name);
  return held ? *held : Animation();
}

Model* ResourceSet::getModel(i32 i) const { return positioned(mModels, i); }

Batch* ResourceSet::getBatch(i32 i) const { return positioned(mBatches, i); }

Animation ResourceSet::getAnimation(i32 i) const {
  const Animation* held = positioned(mAnimations, i);
  return held ? *held : Animation();
}

}  // namespace Game
