#pragma once

#include <array>

#include "records/stats/Parameters.h"
#include "presentation/motion/Curve.h"

namespace Game {

class NmlNode;

// How a shell's or an enemy's parameters grow with level: each parameter
// runs from its start row to its end row along its own curve, bent by its
// growth point (50 grows evenly; a higher point starts lower and grows sooner).
class GrowthTable {
 public:
  // "point" as a child (per parameter) or a line (for all; default 50), then
  // the child "end" scaled to the game's ranges; the start row and the
  // curves follow from both.
  void read(const NmlNode& node);
  // The parameters at level factor f (0 at level 1, 1 at level 99).
  Parameters evaluate(float f) const;

  const Parameters& point() const { return mPoint; }
  const Parameters& start() const { return mStart; }
  const Parameters& end() const { return mEnd; }
  // Curve i at f, kept within [0, 1].
  float progress(Engine::i32 i, float f) const;

 private:
  void buildCurves();

  Parameters mPoint;
  Parameters mStart;
  Parameters mEnd;
  std::array<Curve, Parameters::kCount> mCurves;
};

}  // namespace Game
