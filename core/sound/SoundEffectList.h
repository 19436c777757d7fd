#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/sound/SoundEffect.h"

namespace Game {

class NmlNode;

// Named sound effects read from an nml list: every line "name file" names the
// wave file + ".wav", inside a node the node's name is the folder before it.
class SoundEffectList {
 public:
  // Empties the list and reads the file's root with no folder.
  void load(const char* path);
  // First the child nodes, each with its name as the folder, then the lines.
  void readNode(const NmlNode& node, const char* folder);
  void add(const char* name, const char* file, const char* folder);
  void clear() { mEffects.clear(); }

  // True once every wave has finished loading.
  bool allReady() const;
  Engine::i32 count() const { return mEffects.count(); }
  SoundEffect* at(Engine::i32 i) const { return mEffects.at(i); }
  SoundEffect* find(const char* name) const;

  // Unknown names play nothing.
  void playAt(Engine::i32 index, Engine::i32 delay);
  void play(const char* name, Engine::i32 delay);
  void start(const char* name, Engine::i32 delay);

 private:
  OwnedList<SoundEffect> mEffects;
};

}  // namespace Game
