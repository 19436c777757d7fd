#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "battle/Action.h"
#include "battle/BattlePhase.h"
#include "effect/CastCamera.h"

namespace Game {

class Unit;
struct PlannedAction;

namespace Effect {
class Cast;
}

namespace BattleStuff {

// The turn's actions, a step at a time: the next unit in the turn order
// acts on its first command, others may join it in a synchro chain or
// react to it, each action's effect plays after a lead-in, and the results
// are applied when all have played. When nobody can act any more, or once
// aborted, the turn ends.
class Cast final : public Phase {
 public:
  static constexpr Engine::i32 kLeadInFrames = 16;
  static constexpr float kStartRateDivisor = 5.f;
  static constexpr const char* kDelayState = "ディレイ";
  static constexpr const char* kOpenerAbility = "切り込み";
  static constexpr const char* kAceAbility = "エース";

  explicit Cast(Battle& battle);
  ~Cast() override;
  Engine::i32 update() override;
  const char* name() const override { return "cast"; }

  // The turn ends before the next actor.
  void abort() { mAbort = true; }
  bool isAborted() const { return mAbort; }

  // Acts now on an ordinary art: able, a command queued and not charging,
  // the command payable (when it pays) and not a reaction.
  static bool canCast(const Unit& unit);
  // The chance a chain starts with (0 never), or that a joiner passes on.
  static float startRate(const Ability& art);

  const std::vector<std::unique_ptr<Action>>& actions() const { return mActions; }
  const std::vector<std::unique_ptr<Effect::Cast>>& effects() const { return mEffects; }
  Engine::i32 leadInFrames() const { return mLeadInFrames; }
  const Effect::CastCamera& camera() const { return mCamera; }

 private:
  // False when nobody acts any more.
  bool startStep();
  void endStep();
  void playEffects();
  void steerCamera() const;
  void revalidate(Unit& unit) const;
  // The unit's first command as actions; false when its item is gone.
  bool buildActions(Unit& unit, bool followUp);
  bool chain(Unit& actor);
  void collectReactions();
  Engine::i32 joinCaptions();
  void createEffects(Engine::i32 chainIndex);

  std::vector<std::unique_ptr<Action>> mActions;
  std::vector<std::unique_ptr<Effect::Cast>> mEffects;
  Engine::i32 mLeadInFrames = 0;
  bool mDimPending = false;
  bool mAbort = false;
  Effect::CastCamera mCamera;
};

}  // namespace BattleStuff
}  // namespace Game
