#pragma once

#include "core/string/String.h"
#include "menu/CampPhases.h"

namespace Game::IntermissionStuff {

// What the boost list shows of one parameter: the cost of its next boost
// (0 once fully boosted), its value now and after that boost.
struct BoostRow {
  Engine::i32 cost = 0;
  Engine::i32 value = 0;
  Engine::i32 next = 0;
};

// The chosen member's parameters, each with a gauge of the boosts it has
// had; deciding one spends bonus points on it.
class StatusBoost final : public MemberPhase {
 public:
  static constexpr float kWidth = 430.f;
  static constexpr float kRowHeight = 32.f;
  static constexpr float kValueX = 64.f;
  static constexpr float kGaugeX = 336.f;
  static constexpr float kGaugeWidth = 80.f;
  static constexpr float kGaugeHeight = 6.f;
  static constexpr Engine::u32 kNameColor = 0xFFFFFF80;
  static constexpr Engine::u32 kValueColor = 0xFFC0C0C0;
  static constexpr Engine::u32 kShortColor = 0xFF080808;

  explicit StatusBoost(Intermission& camp) : MemberPhase(camp, 8) {}

  // The rows of the ghost, in parameter order.
  static void rows(const PlayerGhost& ghost, BoostRow (&out)[Parameters::kCount]);
  // "cc  vvvv → nnnn": the cost in 2 digits padded to 4 characters, the
  // value in 4 digits, the arrow and the next value; only the value when
  // the parameter is fully boosted.
  static void rowText(String& out, const BoostRow& row);
  // How full a parameter's gauge is: its boosts of the most it can have.
  static float gaugeFraction(Engine::i32 boosts);
  ListMenu& list() { return mList; }

 private:
  void open(GameData& game, PlayerGhost& ghost) override;
  Engine::i32 updateMember(GameData& game, PlayerGhost& ghost) override;
  void build(const PlayerGhost& ghost);
  void drawGauges(const PlayerGhost& ghost) const;

  ListMenu mList;
};

}  // namespace Game::IntermissionStuff
