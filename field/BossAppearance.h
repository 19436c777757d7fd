#pragma once

#include "Engine/Base/Types.h"
#include "presentation/resource/ResourceSet.h"

namespace Game {

struct Face;

namespace Field {

// A boss announces itself before the way into its battle: for 31 frames the
// set's model "main" plays over the screen with the boss's face posed twice,
// by the set's animations "face1" and "face2".
class BossAppearance {
 public:
  static constexpr const char* kPictures = "src/picture/bossAppear/main.txt";
  static constexpr Engine::i32 kLastFrame = 30;

  // boss may be null: the model plays alone.
  explicit BossAppearance(const Face* boss);
  BossAppearance(const BossAppearance&) = delete;
  BossAppearance& operator=(const BossAppearance&) = delete;

  // Draws one frame; true once the last has been drawn.
  bool update();
  Engine::i32 frame() const { return mFrame; }

 private:
  void drawFace(const char* animation, float time);

  ResourceSet mPictures;
  const Face* mBoss;
  Engine::i32 mFrame = 0;
};

}  // namespace Field
}  // namespace Game
