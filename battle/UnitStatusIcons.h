#pragma once

#include <vector>

#include "Engine/Base/Types.h"

namespace Game {

class Model;
class SceneNodePool;
class Unit;

// The marks over a unit in battle of what holds it back or lasts on it:
// charging, recoil and its lasting states, each the "icon" of the picture
// set of battle pictures of that name, in a row centred over its head.
// Drawing them shows the unit's waiting messages too, once a frame.
class UnitStatusIcons {
 public:
  // On the interface screen: between two icons, and over the head's point.
  static constexpr float kStep = 18.f;
  static constexpr float kRaise = 12.f;
  static constexpr const char* kIconModel = "icon";

  // The icon of a picture set; null for none.
  using PictureLookup = Model* (*)(const char* set);

  // The picture sets of the icons the unit shows, in order.
  static void collect(const Unit& unit, std::vector<const char*>& out);
  // The centre of icon i of count in a row centred on x.
  static float iconX(float x, Engine::i32 i, Engine::i32 count);
  // The unit's icons, then a frame of its messages in the pool.
  static void draw(SceneNodePool& pool, Unit& unit, PictureLookup pictures = iconPicture);
  static Model* iconPicture(const char* set);

 private:
  static void drawIcons(const Unit& unit, PictureLookup pictures);
};

}  // namespace Game
