#include "records/database/PictureList.h"

#include "presentation/resource/ResourceSet.h"

namespace Game {

PictureList::PictureList(std::string path) : mPath(std::move(path)) {}
PictureList::~PictureList() = default;
PictureList::PictureList(PictureList&&) noexcept = default;
PictureList& PictureList::operator=(PictureList&&) noexcept = default;

ResourceSet& PictureList::set() {
  if (!mSet) {
    mSet = std::make_unique<ResourceSet>();
    mSet->load(mPath.c_str());
  }
  return *mSet;
}

Model* PictureList::find(const char* modelName) { return modelName ? set().findModel(modelName) : nullptr; }

void PictureList::release() { mSet.reset(); }

PictureList& PictureShelf::get(const std::string& path) {
  for (PictureList& list : mLists) {
    if (path == list.path()) {
      return list;
    }
  }
  return mLists.emplace_back(path);
}

void PictureShelf::release() {
  for (PictureList& list : mLists) {
    list.release();
  }
}

}  // namespace Game
