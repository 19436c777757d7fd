#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/file/nml/NmlDocument.h"
#include "presentation/Near.h"
#include "presentation/model/MeshBuilder.h"

namespace Game::MeshTest {

// A model node parsed from the text of its body, named "model" under the
// document's root.
class ModelNode {
 public:
  explicit ModelNode(const std::string& body);
  const NmlNode& node() const { return *mDocument.findChild("model"); }

 private:
  NmlDocument mDocument;
};

// A full-size builder loaded from the node body.
std::unique_ptr<MeshBuilder> build(const std::string& body);

// "x,y,z uv u,v n x,y,z": the position and the texture coordinates to four digits, the normal to hundredths.
inline std::string describe(const MeshVertex& v) {
  using PresentationTest::digits;
  const auto hundredths = [](float f) { return digits(std::round(f * 100.f) / 100.f); };
  return digits(v.position) + " uv " + digits(v.uv.x) + "," + digits(v.uv.y) + " n " + hundredths(v.normal.x) + "," +
         hundredths(v.normal.y) + "," + hundredths(v.normal.z);
}

// Sets the low-detail setting for the scope of a test.
class LowDetail {
 public:
  explicit LowDetail(bool on);
  ~LowDetail();

 private:
  int mSaved;
};

// Whether the mesh is a closed solid wound outward: after welding coincident
// positions and skipping triangles of no area, every edge is shared by
// exactly two triangles running along it in opposite directions, the enclosed
// volume is positive and every vertex normal leans the way of its triangles.
::testing::AssertionResult isClosedOutward(const MeshBuilder& mesh);

// Every index names a vertex and the counts are within the capacities.
::testing::AssertionResult isWellFormed(const MeshBuilder& mesh);

}  // namespace Game::MeshTest
