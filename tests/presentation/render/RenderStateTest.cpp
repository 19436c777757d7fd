#include "presentation/render/RenderState.h"

#include <gtest/gtest.h>

#include "Engine/Graphics/Manager.h"
#include "PlatformFake/FakeBackend.h"
#include "core/math/MathHelper.h"
#include "presentation/Near.h"
#include "presentation/render/Transform.h"

namespace Game {
namespace {

using Engine::Math::Matrix34;
using Engine::Math::Vector3;

using PresentationTest::colorsOf;
using PresentationTest::expectNear;
using PresentationTest::flagsOf;
using PresentationTest::kFineTolerance;
const Vector3 kOrigin(0.f, 0.f, 0.f);

// Where the matrix takes p.
void expectMaps(const Matrix34& m, const Vector3& p, const Vector3& expected) {
  Vector3 out;
  m.multiply(&out, p);
  expectNear(out, expected, kFineTolerance);
}

TEST(TransformTest, ScalesThenRotatesYXZThenTranslatesInMatrixUnits) {
  Transform t;
  t.rotation.set(30.f, 45.f, 90.f);
  t.scale.set(2.f, 0.5f, 1.f);
  t.position.set(400.f, -800.f, 40.f);
  Matrix34 m;
  Engine::Math::Matrix33 normal;
  t.toMatrix(&m, &normal);
  Vector3 rotated;
  MathHelper::rotateByAngles(&rotated, Vector3(2.f, 1.f, 3.f), 30.f, 45.f, 90.f);
  expectMaps(m, Vector3(1.f, 2.f, 3.f), Vector3(rotated.x + 1.f, rotated.y - 2.f, rotated.z + 0.1f));
  EXPECT_NEAR(normal.m[0][1], m.m[0][1] / 0.5f, kFineTolerance);  // the rotation without the scale
}

TEST(RenderStateTest, ChildTransformGoesWhereTheParentsOwnBillboardFlagSays) {
  RenderState child;
  child.translate(400.f, 0.f, 0.f);
  child.billboard = true;
  for (const bool parentBoard : {false, true}) {
    RenderState parent;
    parent.billboard = parentBoard;
    parent.combine(child);
    EXPECT_TRUE(parent.billboard);
    const Vector3 moved(1.f, 0.f, 0.f);
    expectMaps(parent.transform, kOrigin, parentBoard ? kOrigin : moved);
    expectMaps(parent.billboardTransform, kOrigin, parentBoard ? moved : kOrigin);
  }
}

TEST(RenderStateTest, CombineInheritsAndMergesFlags) {
  RenderState parent;
  parent.setBlendMode(2);
  parent.cull = 1;
  parent.negative = true;
  parent.lightFlags.set(DrawFlags::kOver);
  parent.firstIndex = 6;
  parent.primitiveCount = 4;
  RenderState child;  // inherits blend and cull, keeps the range
  child.negative = true;
  child.lightFlags.set(DrawFlags::kCamera);
  child.frontEnd = true;
  const RenderState out = RenderState::combined(parent, child);
  EXPECT_EQ(flagsOf(out), "blend 2 test 1 write 0 cull 1 lights " +
                              std::to_string(DrawFlags::kOver | DrawFlags::kCamera) + " bg 0 fe 1 neg 0 rev 000 inv 0");
  EXPECT_EQ(out.firstIndex, 6u);
  child.setBlendMode(0);
  child.firstIndex = 12;
  child.primitiveCount = 2;
  const RenderState opaque = RenderState::combined(parent, child);
  EXPECT_EQ(opaque.blendMode, 0u);
  EXPECT_FALSE(opaque.depthWrite);  // AND with the parent's
  EXPECT_EQ(opaque.primitiveCount, 2);
}

TEST(RenderStateTest, ReverseMirrorsAxesAndTheDeviceModesFollow) {
  RenderState two;
  two.reverse[0] = two.reverse[1] = true;
  RenderState identity;
  identity.combine(two);
  EXPECT_FALSE(identity.inverted);
  expectMaps(identity.transform, Vector3(1.f, 2.f, 3.f), Vector3(-1.f, -2.f, 3.f));

  RenderState one;
  one.reverse[0] = true;
  RenderState mirrored;
  mirrored.cull = 1;
  mirrored.combine(one);
  EXPECT_TRUE(mirrored.inverted);
  EXPECT_EQ(mirrored.deviceCullMode(), 2);
  one.inverted = true;  // the child's own flag toggles again
  RenderState again;
  again.combine(one);
  EXPECT_FALSE(again.inverted);

  RenderState pending;
  pending.reverse[2] = true;
  pending.applyReverse();
  expectMaps(pending.transform, Vector3(1.f, 2.f, 3.f), Vector3(1.f, 2.f, -3.f));
  pending.applyReverse();  // consumed: nothing more
  EXPECT_TRUE(pending.inverted);
  // The cull mode the device gets turns with inverted; lighting is off for plain white.
  RenderState s;
  EXPECT_EQ(s.deviceCullMode(), 2);
  s.inverted = true;
  EXPECT_EQ(s.deviceCullMode(), 1);
  s.cull = 0;
  EXPECT_EQ(s.deviceCullMode(), 0);

  EXPECT_EQ(s.deviceLightingMode(true), 0);
  s.colors.ambient.set(1.f, 1.f, 0.995f);  // within the white tolerance
  EXPECT_EQ(s.deviceLightingMode(false), 0);
  s.colors.ambient.set(1.f, 1.f, 0.98f);
  EXPECT_EQ(s.deviceLightingMode(false), 1);
  EXPECT_EQ(s.deviceLightingMode(true), 2);
  s.colors.ambient = 1.f;
  s.colors.emission.set(0.f, 0.f, 0.01f);
  EXPECT_EQ(s.deviceLightingMode(false), 1);
  s.colors.emission = 0.f;
  s.lightFlags.set(DrawFlags::kCamera);
  EXPECT_EQ(s.deviceLightingMode(false), 1);
}

TEST(RenderStateTest, BlendModeSetsDepthAndKeysOutsideTheRangeAreIgnored) {
  RenderState s;
  s.setBlendModeFromKey(3);
  EXPECT_TRUE(s.depthTest);
  EXPECT_FALSE(s.depthWrite);
  s.setBlendModeFromKey(9);
  EXPECT_EQ(s.blendMode, 3u);
  s.setBlendModeFromKey(-1);
  EXPECT_EQ(s.blendMode, RenderState::kInheritBlend);
  EXPECT_TRUE(s.depthWrite);
  const struct {
    bool a, b;
    Engine::u32 cull;
  } culls[] = {{true, true, RenderState::kInheritCull}, {false, true, 2u}, {false, false, 0u}};
  for (const auto& c : culls) {
    s.setCull(c.a, c.b);
    EXPECT_EQ(s.cull, c.cull) << c.a << c.b;
  }
}

TEST(RenderStateTest, ColoursBlendFromParentToChild) {
  RenderState parent;
  parent.setColorPacked(0x80FF4000u);
  parent.colors.diffuse.set(0.5f, 0.5f, 0.5f);
  parent.colors.specular.set(0.2f, 0.2f, 0.2f);

  RenderState child;
  child.colors.ambient.set(0.5f, 0.5f, 0.5f);
  child.colors.specular.set(0.1f, 0.f, 0.f);
  child.colors.transparency = 0.5f;
  EXPECT_EQ(colorsOf(RenderState::combined(parent, child)),
            "amb 0.5,0.1255,0 emi 0,0,0 dif 0.5,0.5,0.5 spe 0.3,0.2,0.2 sharp 0 tr 0.251 blend 1");
  child.colors.colorBlend = 0.f;
  EXPECT_EQ(colorsOf(RenderState::combined(parent, child)),
            "amb 0.5,0.5,0.5 emi 0,0,0 dif 1,1,1 spe 0.1,0,0 sharp 0 tr 0.5 blend 1");
}

TEST(RenderStateTest, BillboardTurnsAboutItsOwnOrigin) {
  Matrix34 facing;  // the camera's turn: a quarter about z
  facing.setIdentity();
  facing.rotateZ(90.f);
  for (bool frontEnd : {false, true}) {
    RenderState s;
    Transform place;
    place.position.set(400.f, 0.f, 0.f);
    place.rotation.set(0.f, 0.f, 45.f);  // the own rotation is undone
    s.setTransform(place);
    s.billboard = true;
    s.frontEnd = frontEnd;
    Transform up;
    up.position.set(0.f, 400.f, 0.f);
    s.applyTransform(up);  // into the billboard transform
    s.applyBillboard(facing);
    expectMaps(s.transform, kOrigin, frontEnd ? Vector3(1.f, 1.f, 0.f) : kOrigin);
    expectMaps(s.transform, Vector3(1.f, 0.f, 0.f), frontEnd ? Vector3(2.f, 1.f, 0.f) : Vector3(0.f, 1.f, 0.f));
    expectMaps(s.billboardTransform, kOrigin, kOrigin);
  }
  RenderState plain;
  plain.translate(400.f, 0.f, 0.f);
  plain.applyBillboard(facing);
  expectMaps(plain.transform, kOrigin, Vector3(1.f, 0.f, 0.f));
}

// The lights the flags pick get the renderer's intensities; the others 0.
TEST(RenderStateTest, ApplyToDeviceSwitchesTheFlaggedLights) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::Graphics::Manager::create(640, 480, false, true, false);
  Engine::Graphics::Manager device = Engine::Graphics::Manager::instance();
  for (int i = 0; i < 4; ++i) {
    device.setLightColor(i, Vector3(1.f, 1.f, 1.f));
  }
  RenderState s;
  s.lightFlags.set(DrawFlags::kSpot | DrawFlags::kGround);
  s.cull = 1;
  s.applyToDevice({0.1f, 0.2f, 0.3f, 0.4f}, false);
  device.setVertexBuffer(Engine::Graphics::VertexBuffer::create(3));
  device.draw(0, 1, 0);
  const std::vector<float>& constants = backend->fakeGraphicsDevice.vertexConstants;
  const float expected[4] = {0.f, 0.2f, 0.f, 0.4f};  // ground is light 1, spot light 3
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(constants[static_cast<std::size_t>((15 + i) * 4)], expected[i]) << "light " << i;
  }
  EXPECT_FALSE(backend->fakeGraphicsDevice.callsStartingWith("setRenderState CullMode 2").empty());
  Engine::Graphics::Manager::destroy();
}

}  // namespace
}  // namespace Game
