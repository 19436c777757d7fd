#pragma once

#include "Engine/Math/Vector3.h"
#include "effect/bank/Piece.h"

namespace Game {

class Unit;

namespace Effect {

class ActionRecord;

namespace Bank {

// An animation "main" laid over units' nodes: staggers, shakes, glows,
// flashes. Each kind below only names its file.
class AnimationLauncher {
 public:
  AnimationLauncher() = default;
  virtual ~AnimationLauncher() = default;

  // Over every hit target at once.
  void launchOnTargets(const ActionRecord& action) const;
  // Over every hit target, each after distance(target − origin) / divisor
  // frames; at once when the divisor is not positive.
  void launchOnTargetsFrom(const ActionRecord& action, const Engine::Math::Vector3& origin, float divisor) const;
  void overlayOn(const Unit& unit) const;

 protected:
  void load(const char* path) { mSet.load(path); }

 private:
  PieceSet mSet;
};

class Stagger final : public AnimationLauncher {
 public:
  Stagger();
};
class Shake final : public AnimationLauncher {
 public:
  Shake();
};
class Shock final : public AnimationLauncher {
 public:
  Shock();
};
class EmissionRed final : public AnimationLauncher {
 public:
  EmissionRed();
};
class EmissionCyan final : public AnimationLauncher {
 public:
  EmissionCyan();
};
class EmissionYellow final : public AnimationLauncher {
 public:
  EmissionYellow();
};
class Flash final : public AnimationLauncher {
 public:
  Flash();
};
class Poison final : public AnimationLauncher {
 public:
  Poison();
};
class Curse final : public AnimationLauncher {
 public:
  Curse();
};
class Heal final : public AnimationLauncher {
 public:
  Heal();
};
class ChargeSP final : public AnimationLauncher {
 public:
  ChargeSP();
};
class Cinders final : public AnimationLauncher {
 public:
  Cinders();
};
class Prism final : public AnimationLauncher {
 public:
  Prism();
};
class Pakapaka final : public AnimationLauncher {
 public:
  Pakapaka();
};

// The yellow blink laid first, then the red glow.
class EmissionPair {
 public:
  void launchOnTargets(const ActionRecord& action) const;
  void overlayOn(const Unit& unit) const;

 private:
  EmissionYellow mYellow;
  EmissionRed mRed;
};

}  // namespace Bank
}  // namespace Effect
}  // namespace Game
