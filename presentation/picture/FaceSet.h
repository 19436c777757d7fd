#pragma once

#include <array>

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/Texture.h"

namespace Game {

class Batch;
class NmlNode;
class RenderState;

// A character face of conversations: its key name, its picture file (without
// ".tga") and the speaker name shown with it.
struct Face {
  String name;
  String file;
  String chara;

  // Beside the message box, on side 0 (left, mirrored to look inward) or 1
  // (right), under state; nothing without the face set or its "main" batch.
  void draw(Engine::i32 side, const RenderState& state) const;
};

// The character faces of conversations, read from "src/face/" when the
// application root starts, with the batch every face is drawn on. Face
// pictures load when first drawn; the four drawn last are kept, a fifth
// face taking the place of the one drawn longest ago.
class FaceSet {
 public:
  static constexpr Engine::i32 kCachedTextures = 4;

  // Reads the face list and the face batches.
  static void create();
  // A set without faces or batches, reading no file; faces are added by hand.
  static void createWithoutFiles();
  static void destroy();
  // Null outside create and destroy.
  static FaceSet* instance();

  FaceSet(const FaceSet&) = delete;
  FaceSet& operator=(const FaceSet&) = delete;

  // Reads the root's "face" children: "name", "chara" (the name when
  // absent) and "file" (the name when absent), the file taken in
  // directory. sourceName names the list in messages.
  void loadFaces(const NmlNode& root, const char* directory, const char* sourceName);
  Face* add(const char* name, const char* file, const char* chara);
  // The first face of that name; null for a null or empty name and for a
  // name no face has.
  Face* find(const char* name) const;
  Engine::i32 faceCount() const { return mFaces.count(); }

  // The face's picture, loaded into the slot that holds it already or else
  // into the one used longest ago; null for a null face.
  Texture* texture(const Face* face);
  // The face whose picture slot i holds, null for none yet.
  const Face* cachedFace(Engine::i32 slot) const { return mCachedFaces[static_cast<std::size_t>(slot)]; }
  ResourceSet& batches() { return mBatches; }
  // The batch every face is drawn on; null when the batches lack it.
  Batch* mainBatch() const;

 private:
  FaceSet() = default;
  ~FaceSet() = default;

  Engine::i32 leastRecentlyUsedSlot() const;
  // Stamps renumbered in their order before the counter would overflow.
  void renumberStamps();

  OwnedList<Face> mFaces;
  ResourceSet mBatches;
  Engine::i32 mUseCounter = kCachedTextures;
  std::array<Texture, kCachedTextures> mTextures;
  std::array<const Face*, kCachedTextures> mCachedFaces{};
  std::array<Engine::i32, kCachedTextures> mLastUse{0, 1, 2, 3};
};

}  // namespace Game
