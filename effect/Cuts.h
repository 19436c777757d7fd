#pragma once

#include "effect/Contact.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Sprite.h"

namespace Game::Effect {

// A thrust with a knife.
class Knife : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Knife mKnife;
};

// A piercing thrust through target 0 along the way to the targets.
class Pierce : public Contact {
 public:
  // The length of the thrust's marks.
  static constexpr float kReach = 128.f;

  Engine::i32 update() override;

 private:
  Bank::Beat3 mBeat;
};

// Two crossing rips through target 0, the second the mirror of the first.
class Rip : public Contact {
 public:
  static constexpr float kReach = 128.f;

  Engine::i32 update() override;

  // The line of a rip: the side direction (the caster's right when the
  // targets lie straight above or below), of the reach, negated for the
  // first rip.
  Engine::Math::Vector3 slashLine(Engine::i32 k) const;

 private:
  void slash(Engine::i32 k);

  Bank::Beat3 mBeat;
};

// A parry: the result at once, then a glint before the caster.
class Parry : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::CrossLightS mGlint;
};

// A step and a cut.
class Blade : public Contact {
 public:
  Engine::i32 update() override;

 private:
  Bank::Blade mBlade;
};

// A dash at the target and two crossing cuts twelve frames apart.
class CrossSplit : public Contact {
 public:
  static constexpr Engine::i32 kCutFrame = 64;
  static constexpr Engine::i32 kSecondCutDelay = 12;

  Engine::i32 update() override;

 private:
  void cut();

  Bank::Blade mBlade;
};

}  // namespace Game::Effect
