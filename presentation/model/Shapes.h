#pragma once

#include "Engine/Base/Types.h"
#include "Engine/Math/Vector2.h"
#include "Engine/Math/Vector3.h"

namespace Game {

class MeshBuilder;
class ShapeParameters;
struct ShapeFrame;

// The primitive shapes of model nodes. Every builder adds to the end of a
// builder and stops at the first refused write (the builder is then marked
// overflowed); z is up and a shape spans -size/2..+size/2 unless said.

// A profile of a solid of revolution: radius and height factors per point,
// and optionally a profile normal (radial, vertical) per point.
struct RevolutionProfile {
  const float* radius = nullptr;
  const float* height = nullptr;
  const float* normalRadial = nullptr;  // both or neither
  const float* normalVertical = nullptr;
  Engine::i32 count = 0;
};

// An outline for extrusions: count points in units of half the size,
// counter-clockwise.
struct Outline {
  const float* x = nullptr;
  const float* y = nullptr;
  Engine::i32 count = 0;
};

struct ExtrusionOptions {
  bool top = true;
  bool bottom = true;
  bool side = true;
  float proportionTop = 1.f;
  float proportionBottom = 1.f;
  Engine::i32 loopU = 1;
};

struct UvTriangle {
  Engine::Math::Vector2 uv[3];
};

namespace Shape {

// Shared pieces.
void buildQuad(MeshBuilder& mesh, const ShapeFrame& frame);
// Flat-shaded; nothing when the three points have no area.
void buildTriangle(MeshBuilder& mesh, const UvTriangle& uv, const Engine::Math::Vector3& p0,
                   const Engine::Math::Vector3& p1, const Engine::Math::Vector3& p2);
// Rings first..last of `segments` around z.
void buildSurfaceOfRevolution(MeshBuilder& mesh, const RevolutionProfile& profile, Engine::i32 segments,
                              Engine::i32 first, Engine::i32 last, const ShapeFrame& frame);
// All rings, segments by the shared rule.
void buildRevolution(MeshBuilder& mesh, const RevolutionProfile& profile, const ShapeFrame& frame);
void buildExtrusion(MeshBuilder& mesh, const Outline& outline, const ShapeFrame& frame,
                    const ExtrusionOptions& options);
// The sphere or the zone between two polar angles (degrees from +z).
void buildSphereZone(MeshBuilder& mesh, const ShapeFrame& frame, float start, float end);
void buildRectPyramid(MeshBuilder& mesh, const ShapeFrame& frame, bool bottom);

// One per type word.
void buildCylinder(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildUfo(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildSphere(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildCube(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildDice(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildTree(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildOctahedron(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildRectPyramid(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildTorus(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildHole(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildSingleTriangle(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildPrism(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildGear(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildBullet(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildStar(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildBipyramid(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildSolidOfRevolution(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildRock(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildPolygon(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildBelt(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);
void buildDoubleSpiral(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);

// The builder of a type word: the empty word builds a quad, "none" and
// unknown words nothing. False for a word that is not a type.
bool buildShape(const char* type, MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters);

}  // namespace Shape
}  // namespace Game
