#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "PlatformFake/FakeBackend.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/render/Color.h"
#include "presentation/render/Material.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/Near.h"

namespace Game {
namespace {

using Engine::Math::Vector3;

using PresentationTest::colorsOf;
using PresentationTest::digits;
using PresentationTest::flagsOf;
using PresentationTest::kFineTolerance;

struct Loaded {
  NmlDocument doc;
  Material material;
  Engine::i32 keys = 0;
};

void load(Loaded& out, const char* text) {
  out.doc.loadFromText("materials.txt", text);
  out.keys = out.material.load(*out.doc.findChild("m"));
}

TEST(MaterialTest, ReadsEveryKey) {
  Loaded l;
  load(l,
       "m{name glass;colorBlend 50;diffuse 100,50,25;specular 10;ambient 50;emission 0,0,20;"
       "sharpness 300;transparency 49;blendMode 1;depthTest false;depthWrite true;cull true,false;"
       "light{spot;camera;}background;frontEnd;negative;reverse false,true,true;"
       "rotate 0,0,90;scale 50,50,200;position 400,0,0;}");
  EXPECT_EQ(l.keys, 20);
  const RenderState& s = l.material.state();
  EXPECT_EQ(colorsOf(s), "amb 0.5,0.5,0.5 emi 0,0,0.2 dif 1,0.5,0.25 spe 0.1,0.1,0.1 sharp 3 tr 0.49 blend 0.5");
  // The later depthWrite wins over the blend mode's.
  EXPECT_EQ(flagsOf(s), "blend 1 test 0 write 1 cull 1 lights " +
                            std::to_string(DrawFlags::kSpot | DrawFlags::kCamera) + " bg 1 fe 1 neg 1 rev 011 inv 0");
  // scale 50, 50, 200 then a quarter turn about z, then 1 matrix unit along x.
  Vector3 p;
  s.transform.multiply(&p, Vector3(2.f, 0.f, 1.f));
  EXPECT_EQ(digits(p), "1,1,2");
}

TEST(MaterialTest, LoadsCountKnownKeysStartFromTheDefaultsAndKeepABillboardsTransform) {
  Loaded l;
  load(l, "m{blendMode 2;unknown 5;}");
  EXPECT_EQ(l.keys, 1);
  EXPECT_FALSE(l.material.state().depthWrite);
  l.doc.clear();
  load(l, "m{}");
  EXPECT_EQ(l.material.state().blendMode, RenderState::kInheritBlend);
  EXPECT_TRUE(l.material.state().depthWrite);
  // A billboard material keeps its transform for the billboard.
  l.doc.clear();
  load(l, "m{billboard;position 0,400,0;}");
  EXPECT_NEAR(l.material.state().billboardTransform(1, 3), 1.f, kFineTolerance);
  EXPECT_NEAR(l.material.state().transform(1, 3), 0.f, kFineTolerance);
}

// "/" reads as 0/0 and "1/0" as infinity: such a number key refuses the
// material (its state stays the defaults) with a line naming file, material
// and key. Keys read as integers cannot be refused that way.
TEST(MaterialTest, NumberKeysThatAreNotFiniteRefuseTheMaterialByName) {
  PlatformFake::ScopedFakeBackend backend;
  auto& lines = backend->fakeDebugOutput.lines;
  for (const char* key : {"colorBlend", "diffuse", "specular", "ambient", "emission", "rotate", "scale", "position"}) {
    for (const char* value : {"/", "1,1/0,1"}) {
      lines.clear();
      NmlDocument doc;
      doc.loadFromText("materials.txt",
                       (std::string("materials{name red;blendMode 2;") + key + " " + value + ";}").c_str());
      ResourceSet set;
      set.loadNode(doc, "");
      const Material* material = set.findMaterial("red");
      ASSERT_NE(nullptr, material) << key;
      EXPECT_EQ(material->state().blendMode, RenderState::kInheritBlend) << key;
      ASSERT_EQ(1u, lines.size()) << key;
      EXPECT_NE(std::string::npos, lines[0].find("materials red")) << lines[0];
      EXPECT_NE(std::string::npos, lines[0].find(std::string("\"") + key + "\" holds a value that is not a finite"))
          << lines[0];
    }
  }
  lines.clear();
  Loaded l;
  load(l, "m{sharpness /;transparency /;diffuse 1/2;}");
  EXPECT_EQ(l.keys, 3);
  EXPECT_TRUE(lines.empty());
}

TEST(MaterialTest, FindOrCreateSharesNamedMaterials) {
  NmlDocument doc;
  doc.loadFromText("materials.txt", "a{name red;}b{name red;}c{}d{}");
  ResourceSet set;
  Material* first = Material::findOrCreate(set, *doc.findChild("a"));
  EXPECT_EQ(Material::findOrCreate(set, *doc.findChild("b")), first);
  Material* unnamed = Material::findOrCreate(set, *doc.findChild("c"));
  EXPECT_STREQ(unnamed->name(), "");
  EXPECT_NE(Material::findOrCreate(set, *doc.findChild("d")), unnamed);
  EXPECT_EQ(set.materials().count(), 3);
}

TEST(DrawFlagsTest, LoadClearsThenSetsBareKeys) {
  NmlDocument doc;
  doc.loadFromText("light.txt", "l{over;back 1;spot false;}");
  DrawFlags flags;
  flags.set(DrawFlags::kCamera);
  flags.load(*doc.findChild("l"));
  // Presence is what counts, even "spot false".
  EXPECT_EQ(flags.bits(), DrawFlags::kOver | DrawFlags::kBack | DrawFlags::kSpot);
}

// Setters clamp and a NaN becomes 0; packed, every byte round-trips and
// fractions of a step truncate.
TEST(ColorTest, PackedColoursClampTruncateAndRoundTrip) {
  Color c(2.f, -1.f, 0.5f, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(c.alpha(), 1.f);
  EXPECT_EQ(c.red(), 0.f);
  EXPECT_EQ(c.blue(), 0.f);
  c.add(Color(1.f, 1.f, 1.f, 1.f));
  EXPECT_EQ(c.toPacked(), 0xFFFFFFFFu);
  c.subtract(Color(0.25f, 2.f, 2.f, 2.f));
  EXPECT_EQ(c.toPacked(), 0xBF000000u);
  for (Engine::u32 argb : {0x00000000u, 0xFFFFFFFFu, 0x01FE7F80u}) {
    EXPECT_EQ(Color(argb).toPacked(), argb) << std::hex << argb;
  }
  // 0.5 × 255 = 127.5 truncates to 127.
  EXPECT_EQ(Color(2.f, -1.f, 0.5f, 3.f).toPacked(), 0xFF007FFFu);
  // 0.999 × 255 = 254.7: truncated, not rounded.
  EXPECT_EQ(Color(0.999f, 0.f, 0.f, 0.f).toPacked(), 0xFE000000u);
}

TEST(ColorTest, HueWheel) {
  struct Case {
    float degrees;
    Engine::u32 packed;
  } const cases[] = {{0.f, 0xFFFF0000u},   {60.f, 0xFFFFFF00u},  {120.f, 0xFF00FF00u}, {240.f, 0xFF0000FFu},
                     {360.f, 0xFFFF0000u}, {-120.f, 0xFF0000FFu}, {30.f, 0xFFFF7F00u},  {7260.f, 0xFFFFFF00u}};
  for (const Case& c : cases) {
    Color color(0.f, 0.f, 0.f, 0.f);
    color.setHue(c.degrees);
    EXPECT_EQ(color.toPacked(), c.packed) << c.degrees;
  }
}

TEST(ColorTest, ComponentWiseMixing) {
  Color m(0.1f, 0.9f, 0.1f, 0.9f);
  m.max(Color(0.5f, 0.5f, 0.5f, 0.5f));
  EXPECT_EQ(m, Color(0.5f, 0.9f, 0.5f, 0.9f));
  Color l;
  l.lerp(0.25f, Color(0.f, 0.f, 0.f, 0.f), Color(1.f, 1.f, 0.f, 0.5f));
  EXPECT_FLOAT_EQ(l.alpha(), 0.25f);
  EXPECT_FLOAT_EQ(l.blue(), 0.125f);
  EXPECT_FLOAT_EQ(Color(1.f, 0.3f, 0.6f, 0.9f).rgb(), 0.6f);
}

}  // namespace
}  // namespace Game
