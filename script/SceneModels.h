#pragma once

namespace Game::ScriptStuff {

// The models event scripts show over the scene: resource sets added by
// name, and timed models taken from them. The game's scene model set serves
// them once it exists; until one is installed, requests are dropped.
class SceneModels {
 public:
  virtual ~SceneModels() = default;

  // A resource set read from the definition file at path, under the name.
  virtual void addContainer(const char* name, const char* path) = 0;
  // The model of the named set, shown from now for `limit` frames (0: until
  // destroyed or cleared), under the entry name.
  virtual void addModel(const char* container, const char* model, const char* name, float limit) = 0;
  virtual void destroyModel(const char* name) = 0;
  // Once a frame while a script runs, at the present play time.
  virtual void draw() = 0;
  virtual void clear() = 0;

  // The one installed, else one that keeps nothing.
  static SceneModels& current();
  // Null restores the one that keeps nothing.
  static void install(SceneModels* models);
};

}  // namespace Game::ScriptStuff
