#include "presentation/picture/FaceSet.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "Engine/Base/DebugStream.h"
#include "core/file/nml/NmlAttribute.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"

namespace Game {

using Engine::i32;

namespace {

FaceSet* gInstance = nullptr;

constexpr const char* kFaceDirectory = "src/face/";
constexpr const char* kFaceList = "src/face/face.txt";
constexpr const char* kFaceBatches = "src/face/batch.txt";
constexpr const char* kMainBatch = "main";
// Where the two faces stand beside the message box.
constexpr float kFaceX = 272.f;
constexpr float kFaceY = -44.f;

const char* textOf(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  return line && line->itemCount() > 0 ? line->toString(0) : nullptr;
}

}  // namespace

void Face::draw(i32 side, const RenderState& state) const {
  FaceSet* faces = FaceSet::instance();
  const Batch* batch = faces ? faces->mainBatch() : nullptr;
  if (!batch) {
    return;
  }
  RenderState placed;
  placed.frontEnd = true;
  placed.translate(side == 0 ? -kFaceX : kFaceX, kFaceY, 0.f);
  // The left face is mirrored to look toward the box like the right one.
  placed.reverse[0] = side == 0;
  placed.combine(state);
  batch->drawAt(faces->texture(this), placed);
}

void FaceSet::create() {
  if (gInstance) {
    return;
  }
  gInstance = new FaceSet();
  NmlDocument list;
  list.load(kFaceList);
  gInstance->loadFaces(list, kFaceDirectory, kFaceList);
  gInstance->mBatches.load(kFaceBatches);
}

void FaceSet::createWithoutFiles() {
  if (!gInstance) {
    gInstance = new FaceSet();
  }
}

void FaceSet::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

FaceSet* FaceSet::instance() { return gInstance; }

// Only children named "face" are faces: a comment-like or misspelt node
// among them does not shift the others.
void FaceSet::loadFaces(const NmlNode& root, const char* directory, const char* sourceName) {
  for (i32 i = 0; i < root.childCount(); ++i) {
    const NmlNode& node = *root.child(i);
    if (std::strcmp(node.name(), "face") != 0) {
      continue;
    }
    const char* name = textOf(node, "name");
    if (!name) {
      Engine::cout << "FaceSet: " << sourceName << " : face " << i << " has no \"name\"; it is never shown"
                   << Engine::endl;
      name = "";
    }
    const char* chara = textOf(node, "chara");
    const char* file = textOf(node, "file");
    String path(directory);
    path.append(file ? file : name);
    add(name, path.c_str(), chara ? chara : name);
  }
}

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

Batch* FaceSet::mainBatch() const { return mBatches.findBatch(kMainBatch); }

Texture* FaceSet::texture(const Face* face) {
  if (!face) {
    return nullptr;
  }
  const auto held = std::find(mCachedFaces.begin(), mCachedFaces.end(), face);
  i32 slot = static_cast<i32>(held - mCachedFaces.begin());
  if (held == mCachedFaces.end()) {
    slot = leastRecentlyUsedSlot();
    mTextures[static_cast<std::size_t>(slot)].open(face->file.c_str() ? face->file.c_str() : "");
    mCachedFaces[static_cast<std::size_t>(slot)] = face;
  }
  if (mUseCounter == std::numeric_limits<i32>::max()) {
    renumberStamps();
  }
  mLastUse[static_cast<std::size_t>(slot)] = mUseCounter++;
  return &mTextures[static_cast<std::size_t>(slot)];
}

// The first of equal stamps wins.
i32 FaceSet::leastRecentlyUsedSlot() const {
  return static_cast<i32>(std::min_element(mLastUse.begin(), mLastUse.end()) - mLastUse.begin());
}

void FaceSet::renumberStamps() {
  std::array<i32, kCachedTextures> order{};
  for (i32 i = 0; i < kCachedTextures; ++i) {
    order[static_cast<std::size_t>(i)] = i;
  }
  std::stable_sort(order.begin(), order.end(), [this](i32 a, i32 b) {
    return mLastUse[static_cast<std::size_t>(a)] < mLastUse[static_cast<std::size_t>(b)];
  });
  for (i32 rank = 0; rank < kCachedTextures; ++rank) {
    mLastUse[static_cast<std::size_t>(order[static_cast<std::size_t>(rank)])] = rank;
  }
  mUseCounter = kCachedTextures;
}

}  // namespace Game
