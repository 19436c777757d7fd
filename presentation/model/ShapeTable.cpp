#include <cstring>

#include "presentation/model/MeshBuilder.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/Shapes.h"

namespace Game::Shape {

namespace {

using Builder = void (*)(MeshBuilder&, const ShapeFrame&, ShapeParameters&);

struct TypeEntry {
  const char* word;
  Builder build;
};

void buildPlainQuad(MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters&) { buildQuad(mesh, frame); }
void buildNothing(MeshBuilder&, const ShapeFrame&, ShapeParameters&) {}

// Compared exactly, in this order.
constexpr TypeEntry kTypes[] = {
    {"", buildPlainQuad},
    {"none", buildNothing},
    {"cylinder", buildCylinder},
    {"UFO", buildUfo},
    {"sphere", buildSphere},
    {"cube", buildCube},
    {"dice", buildDice},
    {"tree", buildTree},
    {"octahedron", buildOctahedron},
    {"rectPyramid", buildRectPyramid},
    {"torus", buildTorus},
    {"hole", buildHole},
    {"triangle", buildSingleTriangle},
    {"prism", buildPrism},
    {"gear", buildGear},
    {"bullet", buildBullet},
    {"star", buildStar},
    {"bipyramid", buildBipyramid},
    {"solidOfRevolution", buildSolidOfRevolution},
    {"rock", buildRock},
    {"polygon", buildPolygon},
    {"belt", buildBelt},
    {"doubleSpiral", buildDoubleSpiral},
};

}  // namespace

bool buildShape(const char* type, MeshBuilder& mesh, const ShapeFrame& frame, ShapeParameters& parameters) {
  for (const TypeEntry& entry : kTypes) {
    if (std::strcmp(type, entry.word) == 0) {
      entry.build(mesh, frame, parameters);
      return true;
    }
  }
  return false;
}

}  // namespace Game::Shape
