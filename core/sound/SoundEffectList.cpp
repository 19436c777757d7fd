#include "core/sound/SoundEffectList.h"

#include "core/string/String.h"
#include "core/file/nml/NmlDocument.h"

namespace Game {

using Engine::i32;

void SoundEffectList::load(const char* path) {
  clear();
  NmlDocument document;
  document.load(path);
  readNode(document, nullptr);
}

void SoundEffectList::readNode(const NmlNode& node, const char* folder) {
  for (i32 i = 0; i < node.childCount(); ++i) {
    readNode(*node.child(i), node.child(i)->name());
  }
  for (i32 i = 0; i < node.attributeCount(); ++i) {
    const NmlAttribute& line = *node.attribute(i);
    add(line.key(), line.item(0), folder);
  }
}

void SoundEffectList::add(const char* name, const char* file, const char* folder) {
  String path;
  if (folder) {
    path.assign(folder);
    path.append("/");
  }
  path.append(file);
  path.append(".wav");
  mEffects.pushBack(new SoundEffect(name, path.c_str()));
}

bool SoundEffectList::allReady() const {
  for (OwnedList<SoundEffect>::Iterator it(mEffects); !it.isEnd(); it.next()) {
    if (!it.value()->isReady()) {
      return false;
    }
  }
  return true;
}

SoundEffect* SoundEffectList::find(const char* name) const {
  for (OwnedList<SoundEffect>::Iterator it(mEffects); !it.isEnd(); it.next()) {
    if (it.value()->name() == name) {
      return it.value();
    }
  }
  return nullptr;
}

void SoundEffectList::playAt(i32 index, i32 delay) {
  if (SoundEffect* effect = index >= 0 && index < count() ? at(index) : nullptr) {
    effect->start(delay);
  }
}

void SoundEffectList::play(const char* name, i32 delay) {
  if (SoundEffect* effect = find(name)) {
    effect->play(delay);
  }
}

void SoundEffectList::start(const char* name, i32 delay) {
  if (SoundEffect* effect = find(name)) {
    effect->start(delay);
  }
}

}  // namespace Game
