// Curve, vector-curve and material nodes from any data file: whatever the
// keys hold (no keys, no kind, repeated or contradicting conditions, times
// out of order, any degree), reading and evaluating must not crash, and every
// solved coefficient must be finite. A data-error stop that names the file
// (a number that is not finite) is an outcome.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/file/nml/NmlNode.h"
#include "fuzz/FuzzText.h"
#include "presentation/motion/Vec3Curve.h"
#include "presentation/render/Material.h"
#include "fuzz/FuzzStop.h"

namespace {

void expectFiniteSegments(const Game::Curve& curve) {
  for (int i = 0; i < curve.segmentCount(); ++i) {
    const Game::CurveSegment& s = curve.segment(i);
    if (!std::isfinite(s.c0) || !std::isfinite(s.c1) || !std::isfinite(s.c2) || !std::isfinite(s.c3)) {
      std::fprintf(stderr, "curve segment %d has a coefficient that is not finite\n", i);
      std::abort();
    }
  }
}

void exercise(const Game::NmlNode& node) {
  Game::Vec3Curve vector;
  vector.load(node);
  vector.x.load(node);
  for (const Game::Curve* curve : {&vector.x, &vector.y, &vector.z}) {
    expectFiniteSegments(*curve);
    for (float t : {-1e6f, -7.5f, 0.f, 0.5f, 30.f, 1e9f}) {
      (void)curve->valueAt(t);
      (void)curve->velocityAt(t);
      (void)curve->accelAt(t);
    }
    (void)curve->endValue();
  }
  Game::Material material;
  material.load(node);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzSupport::FuzzBackend backend(FuzzSupport::OnStop::Throw);
  backend.startInput();
  const std::vector<char> text = FuzzSupport::zeroTerminated(data, size);
  Game::NmlNode tree;
  tree.parse(text.data(), false, "fuzz.txt");
  try {
    exercise(tree);
    for (int i = 0; i < tree.childCount(); ++i) {
      exercise(*tree.child(i));
    }
  } catch (const FuzzSupport::DataStop& stop) {
    FuzzSupport::expectNamed(stop, "fuzz.txt");
  }
  return 0;
}
