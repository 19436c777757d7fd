#include <gtest/gtest.h>

#include <string>

#include "PlatformFake/FakeBackend.h"
#include "presentation/model/MeshTestSupport.h"

namespace Game {
namespace {

using MeshTest::build;

// Every closed solid, with its default or least keys and with others that
// change its make-up.
const char* const kClosedSolids[] = {
    "type cylinder; size 64;", "type cylinder; size 40,20,100; parameter{ proportion 100; }",
    "type cylinder; size 64; parameter{ proportion -50; }", "type sphere; size 48;", "type sphere; size 300,200,500;",
    "type cube; size 10,20,30;", "type dice; size 8,16,24; parameter{ size 32,32,32; }",
    "type octahedron; size 10,20,30;", "type rectPyramid; size 10,20,30;", "type torus; size 64,64,16;",
    "type prism; size 10,20,30;", "type prism; size 10; parameter{ number 3; proportion 50,100; }",
    "type gear; size 64,64,8; parameter{ z 12; }", "type bullet; size 30,30,100;", "type star; size 20,20,4;",
    "type star; size 20; parameter{ vertex 7; sharp 3; }", "type bipyramid; size 10,10,30;",
    "type solidOfRevolution; size 40; parameter{ vertex 0,100; vertex 50,50; vertex 100,0; vertex 0,-100; }",
    "type rock; size 30,20,10;",
};

TEST(ShapeSolidity, ClosedSolidsAreClosedAndFaceOutward) {
  for (const bool low : {false, true}) {
    const MeshTest::LowDetail detail(low);
    for (const char* body : kClosedSolids) {
      const auto mesh = build(body);
      EXPECT_TRUE(MeshTest::isWellFormed(*mesh)) << body;
      EXPECT_TRUE(MeshTest::isClosedOutward(*mesh)) << body << (low ? " (low detail)" : "");
    }
  }
}

TEST(ShapeSolidity, OpenVariantsAreNotClosed) {
  const char* const open[] = {"type cylinder; size 64; parameter{ top false; }", "type sphere; parameter{ end 90; }",
                              "type cube; parameter{ top false; }", "type bullet; parameter{ bottom false; }",
                              "type rectPyramid; parameter{ bottom 0; }", "type hole; size 64;"};
  for (const char* body : open) EXPECT_FALSE(MeshTest::isClosedOutward(*build(body))) << body;
}

// Every type with its least keys and with keys at their extremes: each is
// either built within the capacities or refused whole, never written past.
TEST(ShapeSolidity, ExtremeKeysStayWithinCapacity) {
  PlatformFake::ScopedFakeBackend backend;
  const std::string curve = "curve{ x{ {value 0; delay 7;} {value 9000;} } y{value 0;} z{value 0;} }";
  const std::string fastCurve = "curve{ x{ {value 0; delay 1;} {value 900000;} } y{value 0;} z{value 0;} }";
  const std::string bodies[] = {
      "", "type cylinder; size 100000; parameter{ proportion 100000; }",
      "type cylinder; size 0;", "type UFO;", "type UFO; size 100000;",
      "type sphere; size 100000; parameter{ start -100000; end 100000; }", "type sphere; size -50;",
      "type cube; size 0;", "type dice; parameter{ size 0,0,0; }", "type tree; parameter{ number 100000; }",
      "type tree; parameter{ number -3; }", "type octahedron; size 100000;", "type rectPyramid; size 0;",
      "type torus; size 0,0,10;", "type torus; size 100000;", "type hole; size 100000;",
      "type triangle; parameter{ vertex 0,0,0; vertex 0,0,0; vertex 0,0,0; }", "type prism; parameter{ number 0; }",
      "type prism; parameter{ number -5; }", "type prism; parameter{ number 100000; }",
      "type gear; parameter{ z 0; }", "type gear; parameter{ z 100000; }",
      "type bullet; size 100000;", "type star; parameter{ vertex 0; sharp 0; }",
      "type star; parameter{ vertex 100000; }", "type bipyramid; parameter{ vertex 1; sharp 0; }",
      "type bipyramid; parameter{ vertex 100000; }",
      "type solidOfRevolution; size 100000; parameter{ vertex 0,100; vertex 100,0; vertex 50,-50; vertex 0,-100; }",
      "type solidOfRevolution; parameter{ vertex 50,50; }", "type rock; size 0; parameter{ cut 100000; }",
      "type polygon; parameter{ vertex 0; }", "type polygon; parameter{ vertex 100000; }",
      "type belt; parameter{ time 0; " + curve + "}", "type belt; parameter{ time 100000; " + curve + "}",
      "type belt; parameter{ time 100000; " + fastCurve + fastCurve + "}",
      "type belt; parameter{ time 100000; " + curve + curve + curve + "}",
      "type belt; parameter{ time 10; curve{ all{value 5;} } axis{ all{value 5;} } }",
      "type doubleSpiral; size 0; parameter{ rotate 720; }",
      "type doubleSpiral; parameter{ rotate 10000000; }",
  };
  for (const std::string& body : bodies) {
    for (const bool low : {false, true}) {
      const MeshTest::LowDetail detail(low);
      const auto mesh = build(body);
      EXPECT_TRUE(MeshTest::isWellFormed(*mesh)) << body;
      // The same node as one of many parts of a full model.
      const auto crowded = build("type none; parts{ type prism; parameter{ number 300; } } parts{" + body + "}");
      EXPECT_TRUE(MeshTest::isWellFormed(*crowded)) << body;
    }
  }
}

}  // namespace
}  // namespace Game
