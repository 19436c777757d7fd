#pragma once

namespace Game {

// The chance that the next unit joins a synchro chain: it opens at the main
// art's start rate (raised by the actor's opener factor), falls for every
// unit that passes and is multiplied by each joiner's own start rate.
class ChainChance {
 public:
  static constexpr float kPassFactor = 0.8f;
  static constexpr float kMomentumDivisor = 4.f;

  // opener: the actor's 切り込み factor. A start rate of 0 never opens.
  ChainChance(float startRate, float opener);

  bool isOpen() const { return mOpen; }
  float value() const { return mChance; }
  // The chance a unit joins with its art's join rate, its side's momentum
  // and its ace factor.
  float joinChance(float joinRate, float momentum, float ace) const;
  void join(float startRate) { mChance *= startRate; }
  void pass() { mChance *= kPassFactor; }

 private:
  bool mOpen;
  float mChance;
};

}  // namespace Game
