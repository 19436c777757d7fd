#include <string>

#include "Engine/Base/DebugStream.h"
#include "core/file/nml/NmlNode.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/PartTransform.h"
#include "presentation/model/ShapeFrame.h"
#include "presentation/model/ShapeParameters.h"
#include "presentation/model/Shapes.h"

namespace Game {

using Engine::i32;

namespace {

// "root/batch/parts" for a node two levels under its document's root.
std::string nodePath(const NmlNode& node) {
  std::string path = node.name();
  for (const NmlNode* parent = node.parent(); parent; parent = parent->parent()) {
    path = std::string(parent->name()) + "/" + path;
  }
  return path;
}

void reportRefusal(const NmlNode& node, const char* sourceName, const char* why) {
  Engine::cout << "MeshBuilder: " << (sourceName && *sourceName ? sourceName : "(no file)") << " : "
               << nodePath(node) << " : " << why << Engine::endl;
}

Color readPackedColor(const NmlNode& node, const char* key) {
  const NmlAttribute* line = node.findAttribute(key);
  // A missing end of a gradation leaves that end's colours as they are.
  return line ? Color(static_cast<Engine::u32>(line->toInt(0))) : Color();
}

bool readVector(const NmlNode& node, const char* key, Engine::Math::Vector3& out) {
  const NmlAttribute* line = node.findAttribute(key);
  if (!line) {
    return false;
  }
  out.set(line->toFloat(0), line->toFloat(1), line->toFloat(2));
  return true;
}

void applyGradations(MeshBuilder& mesh, const NmlNode& node, i32 firstVertex) {
  const i32 count = node.countChildren("gradation");
  for (i32 i = 0; i < count; ++i) {
    const NmlNode& gradation = *node.findChild("gradation", i);
    const Color color1 = readPackedColor(gradation, "color1");
    const Color color2 = readPackedColor(gradation, "color2");
    Engine::Math::Vector3 point;
    if (readVector(gradation, "vector", point)) {
      mesh.applyLinearGradation(color1, color2, point, firstVertex);
    } else if (readVector(gradation, "center", point)) {
      mesh.applyRadialGradation(color1, color2, point, firstVertex);
    }
  }
}

}  // namespace

bool MeshBuilder::load(const NmlNode& node, const char* sourceName) {
  const i32 firstVertex = mVertexCount;
  const i32 firstIndex = mIndexCount;
  const bool overflowedBefore = mOverflowed;
  mOverflowed = false;

  ShapeFrame frame;
  const char* notFinite = frame.read(node);
  PartTransform transform;
  if (const char* key = transform.read(node); !notFinite) {
    notFinite = key;
  }
  const NmlNode* parameterNode = node.countChildren("parameter") > 0 ? node.findChild("parameter") : nullptr;
  ShapeParameters parameters(parameterNode);
  const NmlAttribute* typeLine = node.findAttribute("type");
  if (!notFinite) {
    Shape::buildShape(typeLine ? typeLine->toString(0) : "", *this, frame, parameters);
  }

  std::string refusal;
  if (notFinite) {
    refusal = std::string("the key \"") + notFinite + "\" holds a value that is not a finite number";
  } else if (parameters.notFiniteKey()) {
    refusal = std::string("the parameter \"") + parameters.notFiniteKey() + "\" is not a finite number";
  } else if (parameters.outOfRangeKey()) {
    refusal = std::string("the parameter \"") + parameters.outOfRangeKey() + "\" is out of range";
  } else if (mOverflowed) {
    refusal = "the model does not fit in the mesh's vertices or indices";
  } else if (parameters.missingKey()) {
    refusal = std::string("the shape needs the parameter \"") + parameters.missingKey() + "\"";
  }
  if (!refusal.empty()) {
    truncate(firstVertex, firstIndex);
    mOverflowed = overflowedBefore;
    reportRefusal(node, sourceName, refusal.c_str());
    return false;
  }

  // A part that does not fit is refused alone; the parts before it stay.
  const i32 partCount = node.countChildren("parts");
  for (i32 i = 0; i < partCount; ++i) {
    load(*node.findChild("parts", i), sourceName);
  }

  applyTransform(transform, firstVertex);
  applyGradations(*this, node, firstVertex);
  mOverflowed = overflowedBefore;
  return true;
}

}  // namespace Game
