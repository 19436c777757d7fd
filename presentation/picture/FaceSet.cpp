#include "presentation/picture/FaceSet.h"

namespace Game {

namespace {

FaceSet* gInstance = nullptr;

}  // namespace

void Face::draw(Engine::i32, const RenderState&) const {}

void FaceSet::create() {
  if (!gInstance) {
    gInstance = new FaceSet();
  }
}

void FaceSet::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

FaceSet* FaceSet::instance() { return gInstance; }

Face* FaceSet::add(const char* name, const char* file, const char* chara) {
  Face* face = mFaces.addNew();
  face->name.assign(name);
  face->file.assign(file);
  face->chara.assign(chara);
  return face;
}

Face* FaceSet::find(const char* name) const {
  if (!name || name[0] == '\0') {
    return nullptr;
  }
  for (OwnedList<Face>::Iterator it(mFaces); !it.isEnd(); it.next()) {
    if (it.value()->name.equals(name)) {
      return it.value();
    }
  }
  return nullptr;
}

}  // namespace Game
