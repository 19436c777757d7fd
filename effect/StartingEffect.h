#pragma once

#include <memory>
#include <vector>

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class Unit;

namespace Effect {

class Stage;

// The lead-in an action shows before its effect: a mark for a technique or a
// magic art, a spell banner with its sound, a warning, and a chain mark that
// grows with the action's place in a chain.
namespace StartingEffect {

// One part of a lead-in, shown once with the caster and the point it aims
// at; the lead-in lasts as long as its longest part.
class Base {
 public:
  Base() = default;
  virtual ~Base() = default;
  Base(const Base&) = delete;
  Base& operator=(const Base&) = delete;

  virtual void start(Stage& stage, Unit& caster, const Engine::Math::Vector3& position) = 0;
  virtual Engine::i32 duration() const = 0;
};

// The technique's mark ("技"), the caster turned to the point.
class Action : public Base {
 public:
  static constexpr Engine::i32 kDuration = 16;
  void start(Stage& stage, Unit& caster, const Engine::Math::Vector3& position) override;
  Engine::i32 duration() const override { return kDuration; }
};

// The magic art's mark ("術"), the caster turned to the point.
class MagicStart : public Base {
 public:
  static constexpr Engine::i32 kDuration = 16;
  void start(Stage& stage, Unit& caster, const Engine::Math::Vector3& position) override;
  Engine::i32 duration() const override { return kDuration; }
};

// The spell banner ("スペル") at scale 1 and the battle's sound "スペル発動",
// not started again while it plays; the caster turned to the point.
class Spell : public Base {
 public:
  static constexpr Engine::i32 kDuration = 60;
  void start(Stage& stage, Unit& caster, const Engine::Math::Vector3& position) override;
  Engine::i32 duration() const override { return kDuration; }
};

// The warning ("caution") where its model puts it, then a spell banner.
class Caution : public Base {
 public:
  static constexpr Engine::i32 kDuration = 60;
  void start(Stage& stage, Unit& caster, const Engine::Math::Vector3& position) override;
  Engine::i32 duration() const override { return kDuration; }

 private:
  Spell mSpell;
};

// The chain mark ("連携") at the caster's feet, scale × (n / 2 + 1), with the
// battle's sound "連携" played anew; the caster does not turn.
class Chain : public Base {
 public:
  static constexpr Engine::i32 kDuration = 30;
  explicit Chain(Engine::i32 index) : mIndex(index) {}
  Engine::i32 index() const { return mIndex; }
  void start(Stage& stage, Unit& caster, const Engine::Math::Vector3& position) override;
  Engine::i32 duration() const override { return kDuration; }

 private:
  Engine::i32 mIndex;
};

// The parts of one lead-in, started together on the first step; done once
// more steps than its longest part's frames have passed. The parts' nodes
// end by themselves.
class Container {
 public:
  Container(Stage& stage, Unit& caster, const Engine::Math::Vector3& position)
      : mStage(stage), mCaster(caster), mPosition(position) {}

  void addChain(Engine::i32 index) { mParts.push_back(std::make_unique<Chain>(index)); }
  void addCaution() { mParts.push_back(std::make_unique<Caution>()); }
  void addSpell() { mParts.push_back(std::make_unique<Spell>()); }
  void addMagicStart() { mParts.push_back(std::make_unique<MagicStart>()); }
  void addAction() { mParts.push_back(std::make_unique<Action>()); }

  // The longest part's frames; 0 without parts.
  Engine::i32 getMaxDuration() const;
  Engine::i32 partCount() const { return static_cast<Engine::i32>(mParts.size()); }
  const Base& part(Engine::i32 i) const { return *mParts[static_cast<std::size_t>(i)]; }

  // True when done.
  bool step();

 private:
  Stage& mStage;
  Unit& mCaster;
  Engine::Math::Vector3 mPosition;
  std::vector<std::unique_ptr<Base>> mParts;
  Engine::i32 mFrame = 0;
};

}  // namespace StartingEffect
}  // namespace Effect
}  // namespace Game
