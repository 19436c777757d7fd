#pragma once

#include "effect/bank/Piece.h"

namespace Game {

class Unit;

namespace Effect::Bank {

// A set read from any file, for effects that only need its models; the eyes
// converge with it.
class Holder {
 public:
  static constexpr Engine::i32 kConverging = 128;
  static constexpr float kFinishDelay = 64.f;

  explicit Holder(const char* path) : mSet(path) {}

  // 128 nodes of "main" closing in on the target from ever nearer, aimed
  // along target → caster, two a frame; then "finish" on the target aimed
  // at the caster, 64 frames late.
  void converge(const Unit& caster, const Unit& target) const;
  const PieceSet& set() const { return mSet; }

 private:
  PieceSet mSet;
};

}  // namespace Effect::Bank
}  // namespace Game
