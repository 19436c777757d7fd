#pragma once

#include "Engine/Base/Types.h"
#include "live/unit/UnitMessages.h"

namespace Game {

class Model;
class SceneNodePool;
class Unit;

// Shows a unit's messages in the battle scene from its front point: numbers
// rise as picture digits, a state's picture pops up count times, each
// kStateStep units higher than the one before.
class UnitMessageView final : public UnitStuff::MessageView {
 public:
  static constexpr float kStateStep = 32.f;
  static constexpr Engine::i32 kStateFrames = 60;
  static constexpr float kStateRise = 0.5f;

  // The picture a state (by index) shows; null for none.
  using PictureLookup = Model* (*)(Engine::i32 state);

  UnitMessageView(SceneNodePool& pool, const Unit& unit, PictureLookup pictures = statePicture)
      : mPool(pool), mUnit(unit), mPictures(pictures) {}
  void show(const UnitStuff::Message& message) override;

  // The picture of the state's set of the battle pictures, "main", else its
  // status icon; null for none.
  static Model* statePicture(Engine::i32 state);

 private:
  void showNumber(const UnitStuff::Message& message) const;
  void showState(const UnitStuff::Message& message) const;

  SceneNodePool& mPool;
  const Unit& mUnit;
  PictureLookup mPictures;
};

}  // namespace Game
