#pragma once

#include "Engine/Base/Types.h"
#include "core/container/OwnedList.h"
#include "core/string/String.h"

namespace Game {

class RenderState;

// A character face of conversations: its key name, its picture file and the
// speaker name shown with it.
struct Face {
  String name;
  String file;
  String chara;

  // Side 0 left, 1 right, under state.
  // Stand-in: faces have no pictures yet and draw nothing.
  void draw(Engine::i32 side, const RenderState& state) const;
};

// Stand-in of the character faces of conversations: reads no file yet; faces
// are added by hand.
class FaceSet {
 public:
  static void create();
  static void destroy();
  // Null outside create and destroy.
  static FaceSet* instance();

  Face* add(const char* name, const char* file, const char* chara);
  // The first face of that name; null for a null or empty name and for a
  // name no face has.
  Face* find(const char* name) const;

 private:
  FaceSet() = default;

  OwnedList<Face> mFaces;
};

}  // namespace Game
