#pragma once

#include <memory>
#include <vector>

#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

class Map;
class Model;
class RenderState;

// The backdrop of a scene: the resource files a scene description names,
// the models shown from them for good, floor maps, and models that event
// scripts add for a while. The owning scene draws it every frame.
//
// A description file holds "container" children, each with "file" (beside
// the description) or "path" (from the working directory) and any number of
// "model" lines naming models of that file, and "map" children, each with a
// "file" naming a tile map beside the description.
class SceneModelSet {
 public:
  struct Entry {
    // Owned by its resource set.
    Model* model = nullptr;
    String name;
    // The frame count the entry began at.
    float start = 0.f;
    // Frames the entry shows for; 0 for good.
    float duration = 0.f;
  };
  struct NamedResourceSet {
    // Empty for the sets of the description file.
    String name;
    ResourceSet set;
  };

  SceneModelSet();
  ~SceneModelSet();
  SceneModelSet(const SceneModelSet&) = delete;
  SceneModelSet& operator=(const SceneModelSet&) = delete;

  // Empties the set, then reads the description file.
  void load(const char* path);
  // Entries, then resource sets (with their models), then maps.
  void clear();
  // Maps, then entries, at a frame count; entries whose duration has passed
  // are removed instead of drawn.
  void draw(const RenderState& state, float time);
  // draw in a default state at the game flow's frame count.
  void drawNow();

  // An entry of a model from a named resource set that starts now. A set or
  // model name that is not there adds nothing.
  void addModel(const char* setName, const char* modelName, const char* entryName, float duration);
  // Removes the first entry of that name, if any.
  void destroyModel(const char* entryName);

  // A null model adds nothing.
  void addEntry(Model* model, const char* name, float start, float duration);
  Entry* findEntry(const char* name) const;
  ResourceSet* findResourceSet(const char* name) const;
  void addModelFromSet(const char* setName, const char* modelName, const char* entryName, float start,
                       float duration);
  // A new set of that name, loaded from path.
  ResourceSet* createResourceSet(const char* path, const char* name);

  const OwnedList<Entry>& entries() const { return mEntries; }
  const OwnedList<NamedResourceSet>& resourceSets() const { return mResourceSets; }
  const std::vector<std::unique_ptr<Map>>& maps() const { return mMaps; }

 private:
  void loadContainer(const class NmlNode& node, const String& directory);

  OwnedList<NamedResourceSet> mResourceSets;
  OwnedList<Entry> mEntries;
  std::vector<std::unique_ptr<Map>> mMaps;
};

}  // namespace Game
