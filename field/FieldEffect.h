#pragma once

#include <string>

#include "Engine/Math/Vector3.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Icicle.h"
#include "records/database/PictureList.h"

namespace Game::Field {

class SymbolField;

// Something shown once on the floor and left to run out by itself.
class Effect {
 public:
  virtual ~Effect() = default;
  virtual void spawn(SymbolField& field, const Engine::Math::Vector3& position) = 0;
};

// The caption of a site, from "src/picture/telop/<site>.txt".
class Telop final : public Effect {
 public:
  static constexpr const char* kFolder = "src/picture/telop/";
  static constexpr const char* kModel = "main";

  explicit Telop(const char* siteName);
  // Its model's node; the pictures are read on the first spawn.
  void spawn(SymbolField& field, const Engine::Math::Vector3& position) override;
  const char* path() const { return mPictures.path(); }

 private:
  PictureList mPictures;
};

// Ice springing up around a point.
class Icicle final : public Effect {
 public:
  static constexpr float kSize = 256.f;
  static constexpr Engine::i32 kPieces = 16;
  static constexpr Engine::i32 kBursts = 2;

  void spawn(SymbolField& field, const Engine::Math::Vector3& position) override;

 private:
  Game::Effect::Bank::Icicle mPiece;
};

// The large explosion with its sound.
class Explode final : public Effect {
 public:
  void spawn(SymbolField& field, const Engine::Math::Vector3& position) override;

 private:
  Game::Effect::Bank::ExplodeL mPiece;
};

}  // namespace Game::Field
