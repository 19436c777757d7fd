#include "map/SceneModelSet.h"

#include <cstring>
#include <string>

#include "core/file/nml/NmlDocument.h"
#include "map/Map.h"
#include "presentation/model/Model.h"
#include "presentation/render/RenderState.h"
#include "presentation/ui/ModelDraw.h"

namespace Game {

using Engine::i32;

namespace {

float gameFlowFrame() { return static_cast<float>(interfaceFrameCount()); }

// What the description names relative to its own directory.
String besideDescription(const String& directory, const char* file) {
  String path(directory.c_str() ? directory.c_str() : "");
  path.append(file);
  return path;
}

// A tile map named with its ".fmf", as the floors load it: without.
std::string tileMapName(const String& path) {
  std::string name(path.c_str() ? path.c_str() : "");
  const std::string extension = ".fmf";
  if (name.size() > extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
    name.resize(name.size() - extension.size());
  }
  return name;
}

}  // namespace

SceneModelSet::SceneModelSet() = default;

SceneModelSet::~SceneModelSet() { clear(); }

void SceneModelSet::clear() {
  mEntries.clear();
  mResourceSets.clear();
  mMaps.clear();
}

void SceneModelSet::load(const char* path) {
  clear();
  NmlDocument document;
  document.load(path);
  String directory(path);
  if (std::strchr(path, '/')) {
    directory.cutToDirectory();
  } else {
    directory.assign("");
  }
  for (i32 i = 0; i < document.countChildren("container"); ++i) {
    loadContainer(*document.findChild("container", i), directory);
  }
  const i32 mapCount = document.countChildren("map");
  for (i32 i = 0; i < mapCount; ++i) {
    auto map = std::make_unique<Map>();
    if (const NmlAttribute* file = document.findChild("map", i)->findAttribute("file")) {
      map->buildFromFmf(tileMapName(besideDescription(directory, file->toString(0))).c_str());
    }
    mMaps.push_back(std::move(map));
  }
}

void SceneModelSet::loadContainer(const NmlNode& node, const String& directory) {
  String resourcePath;
  if (const NmlAttribute* file = node.findAttribute("file")) {
    resourcePath = besideDescription(directory, file->toString(0));
  } else if (const NmlAttribute* path = node.findAttribute("path")) {
    resourcePath.assign(path->toString(0));
  }
  if (resourcePath.length() == 0) {
    return;  // nothing to read
  }
  ResourceSet* set = createResourceSet(resourcePath.c_str(), "");
  for (i32 k = 0; k < node.countAttributes("model"); ++k) {
    addEntry(set->findModel(node.findAttribute("model", k)->toString(0)), "", 0.f, 0.f);
  }
}

void SceneModelSet::draw(const RenderState& state, float time) {
  for (const std::unique_ptr<Map>& map : mMaps) {
    map->drawTransformed(state, time);
  }
  for (OwnedList<Entry>::Node* node = mEntries.head(); node;) {
    OwnedList<Entry>::Node* const next = node->mNext;
    Entry* entry = node->mObject;
    const float elapsed = time - entry->start;
    if (entry->duration > 0.f && elapsed >= entry->duration) {
      mEntries.deleteObject(entry);
    } else {
      entry->model->draw(state, elapsed);
    }
    node = next;
  }
}

void SceneModelSet::drawNow() { draw(RenderState(), gameFlowFrame()); }

void SceneModelSet::addModel(const char* setName, const char* modelName, const char* entryName, float duration) {
  addModelFromSet(setName, modelName, entryName, gameFlowFrame(), duration);
}

void SceneModelSet::destroyModel(const char* entryName) {
  if (Entry* entry = findEntry(entryName)) {
    mEntries.deleteObject(entry);
  }
}

void SceneModelSet::addEntry(Model* model, const char* name, float start, float duration) {
  if (!model) {
    return;
  }
  Entry* entry = mEntries.addNew();
  entry->model = model;
  entry->name.assign(name);
  entry->start = start;
  entry->duration = duration;
}

SceneModelSet::Entry* SceneModelSet::findEntry(const char* name) const {
  for (OwnedList<Entry>::Iterator it(mEntries); !it.isEnd(); it.next()) {
    if (it.value()->name == name) {
      return it.value();
    }
  }
  return nullptr;
}

ResourceSet* SceneModelSet::findResourceSet(const char* name) const {
  for (OwnedList<NamedResourceSet>::Iterator it(mResourceSets); !it.isEnd(); it.next()) {
    if (it.value()->name == name) {
      return &it.value()->set;
    }
  }
  return nullptr;
}

void SceneModelSet::addModelFromSet(const char* setName, const char* modelName, const char* entryName, float start,
                                    float duration) {
  if (const ResourceSet* set = findResourceSet(setName)) {
    addEntry(set->findModel(modelName), entryName, start, duration);
  }
}

ResourceSet* SceneModelSet::createResourceSet(const char* path, const char* name) {
  NamedResourceSet* named = mResourceSets.addNew();
  named->name.assign(name);
  named->set.load(path);
  return &named->set;
}

}  // namespace Game
