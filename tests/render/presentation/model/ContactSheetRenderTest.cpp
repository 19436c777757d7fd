// One of every primitive shape drawn into a grid and kept as an image of the
// build tree, so a change to any shape can be seen at a glance.

#include <algorithm>
#include <string>

#include "Engine/Graphics/IndexBuffer.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Engine/Math/Matrix44.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/model/MeshBuilder.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::i32;
using Engine::Graphics::Manager;
using Engine::Graphics::ManagerSettings;
using Engine::Math::Matrix34;
using Engine::Math::Matrix44;
using Engine::Math::Vector3;
using Game::MeshBuilder;

constexpr u32 kSheetWidth = 320;
constexpr u32 kSheetHeight = 240;
constexpr i32 kSheetColumns = 6;
constexpr i32 kRows = 4;

struct Cell {
  const char* name;
  const char* body;
};

// Each shape with keys that show what it is, tinted so neighbours differ.
const Cell kCells[] = {
    {"quad", "size 64; color 0xffe0e0e0;"},
    {"cylinder", "type cylinder; size 64; color 0xffff8080;"},
    {"UFO", "type UFO; size 64,64,40; color 0xffc0c0ff;"},
    {"sphere", "type sphere; size 64; gradation{ color1 0xff4040ff; color2 0xffffffff; vector 0,0,1; }"},
    {"cube", "type cube; size 48; color 0xff80ff80;"},
    {"dice", "type dice; size 48; color 0xffffff80; parameter{ size 32,32,32; }"},
    {"tree", "type tree; size 48,48,64; color 0xff40c040; parameter{ number 3; }"},
    {"octahedron", "type octahedron; size 48,48,64; color 0xffff80ff;"},
    {"rectPyramid", "type rectPyramid; size 48,48,48; color 0xffffc040;"},
    {"torus", "type torus; size 64,64,20; color 0xff80ffff;"},
    {"hole", "type hole; size 64,64,48; color 0xffc08040;"},
    {"triangle", "type triangle; color 0xffff4040; parameter{ vertex -32,-32,0; vertex 32,-32,0; vertex 0,32,0; }"},
    {"prism", "type prism; size 48,48,48; color 0xff8080ff; parameter{ number 6; }"},
    {"gear", "type gear; size 64,64,16; color 0xffc0c0c0; parameter{ z 12; }"},
    {"bullet", "type bullet; size 32,32,64; color 0xffffe0a0;"},
    {"star", "type star; size 64,64,12; color 0xffffff40;"},
    {"bipyramid", "type bipyramid; size 48,48,64; color 0xff40ffc0; parameter{ vertex 8; sharp 3/2; }"},
    {"solidOfRevolution",
     "type solidOfRevolution; size 48,48,64; color 0xffa0a0ff;"
     " parameter{ vertex 0,100; vertex 40,60; vertex 100,0; vertex 40,-60; vertex 0,-100; }"},
    {"rock", "type rock; size 64,48,40; color 0xffa08060;"},
    {"polygon", "type polygon; size 64; color 0xffff80c0; parameter{ vertex 6; }"},
    {"belt",
     "type belt; color 0xff80c0ff; parameter{ time 10; width{value 16;}"
     " curve{ x{ {value -32; delay 10;} {value 32;} } y{ {value -24; delay 5;} {value 24; delay 5;} {value -24;} }"
     " z{value 0;} } }"},
    {"doubleSpiral", "type doubleSpiral; size 48,48,64; color 0xffffa0ff; parameter{ rotate 360; }"},
    {"none", "type none;"},
};
constexpr i32 kCellCount = static_cast<i32>(sizeof kCells / sizeof kCells[0]);
static_assert(kCellCount <= kSheetColumns * kRows);

// Baked light from the viewer's upper left, so that faces read as solid.
u32 shade(const Game::Color& color, const Vector3& normal) {
  Vector3 light(-0.4f, 0.5f, 0.77f);
  light.normalize();
  const float lit = 0.35f + 0.65f * std::max(0.f, normal.dot(light));
  const auto byte = [](float v) { return static_cast<u32>(std::clamp(v, 0.f, 1.f) * 255.f); };
  return 0xFF000000u | byte(color.red() * lit) << 16 | byte(color.green() * lit) << 8 | byte(color.blue() * lit);
}

class ContactSheet : public RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    createManager(ManagerSettings{kSheetWidth, kSheetHeight, false, false, false}).beginDraw();
    Manager manager = Manager::instance();
    manager.setLightingMode(0);
    manager.setCullMode(0);
    manager.enableDepthTest(true);
    manager.enableDepthWrite(true);
    // Screen x and y as given; depth 0.5 - z, so a larger z is nearer.
    Matrix44 projection;
    projection.setIdentity();
    projection(2, 2) = -1.f;
    projection(2, 3) = 0.5f;
    manager.setProjectionViewMatrix(projection);
  }

  // The mesh fitted into its cell, seen from the front and above.
  static void drawInCell(const MeshBuilder& mesh, i32 cell) {
    if (mesh.vertexCount() == 0) {
      return;
    }
    Vector3 low = mesh.vertex(0).position;
    Vector3 high = low;
    for (i32 i = 1; i < mesh.vertexCount(); ++i) {
      low.setMin(mesh.vertex(i).position);
      high.setMax(mesh.vertex(i).position);
    }
    Vector3 centre = low;
    centre += high;
    centre *= -0.5f;
    Vector3 extent;
    extent.setSub(high, low);
    const float radius = std::max(extent.length() / 2.f, 1e-3f);
    const float pixels = 0.45f * std::min(kSheetWidth / static_cast<float>(kSheetColumns), kSheetHeight / static_cast<float>(kRows));
    Matrix34 turn;
    turn.setIdentity();
    turn.rotateX(-60.f);
    turn.rotateZ(30.f);
    Matrix34 world;
    world.setIdentity();
    world.translate(Vector3(-1.f + 2.f / kSheetColumns * (static_cast<float>(cell % kSheetColumns) + 0.5f),
                            1.f - 2.f / kRows * (static_cast<float>(cell / kSheetColumns) + 0.5f), 0.f));
    world.scale(pixels * 2.f / kSheetWidth / radius, pixels * 2.f / kSheetHeight / radius, 0.4f / radius);
    world.rotateX(-60.f);
    world.rotateZ(30.f);
    world.translate(centre);

    auto vertices = Engine::Graphics::VertexBuffer::create(static_cast<u32>(mesh.vertexCount()));
    Engine::Graphics::Vertex* out = vertices.lock();
    for (i32 i = 0; i < mesh.vertexCount(); ++i) {
      const Game::MeshVertex& v = mesh.vertex(i);
      Vector3 normal;
      turn.multiply33(&normal, v.normal);
      *out++ = Engine::Graphics::Vertex{v.position.x, v.position.y, v.position.z, 1.f, v.normal.x, v.normal.y,
                                        v.normal.z, shade(v.color, normal), 0.f, 0.f};
    }
    vertices.unlock(out);
    auto indices = Engine::Graphics::IndexBuffer::create(static_cast<u32>(mesh.indexCount()));
    Engine::u16* index = indices.lock();
    for (i32 i = 0; i < mesh.indexCount(); ++i) {
      *index++ = static_cast<Engine::u16>(mesh.index(i));
    }
    indices.unlock(index);
    Manager manager = Manager::instance();
    manager.setWorldMatrix(world);
    manager.setVertexBuffer(vertices);
    manager.setIndexBuffer(indices);
    manager.drawIndexed(0, static_cast<u32>(mesh.indexCount() / 3), 0);
  }

  static i32 litPixels(const Image& image, i32 cell) {
    const i32 left = cell % kSheetColumns * static_cast<i32>(kSheetWidth / kSheetColumns);
    const i32 top = cell / kSheetColumns * static_cast<i32>(kSheetHeight / kRows);
    return inkOf(image, [](u32 p) { return (p & 0x00FFFFFFu) != 0; },
                 {left, top, left + static_cast<i32>(kSheetWidth / kSheetColumns), top + static_cast<i32>(kSheetHeight / kRows)})
        .count;
  }
};

TEST_F(ContactSheet, EveryShapeFillsItsCell) {
  for (i32 cell = 0; cell < kCellCount; ++cell) {
    const std::string text = std::string("model{") + kCells[cell].body + "}";
    Game::NmlDocument document;
    document.loadFromText("contact_sheet.txt", text.c_str());
    MeshBuilder mesh(MeshBuilder::kModelCapacity, MeshBuilder::kModelCapacity);
    ASSERT_TRUE(mesh.load(*document.findChild("model"), "contact_sheet.txt")) << kCells[cell].name;
    drawInCell(mesh, cell);
  }
  const Image image = readBack();
  ASSERT_TRUE(keepArtefact(image, "contact_sheet.tga"));
  for (i32 cell = 0; cell < kCellCount; ++cell) {
    // A shape covers a good part of its cell, not a stray pixel; "none" nothing.
    const i32 lit = litPixels(image, cell);
    if (std::string(kCells[cell].name) == "none") {
      EXPECT_EQ(0, lit);
    } else {
      EXPECT_GT(lit, 150) << kCells[cell].name;
    }
  }
}

}  // namespace
}  // namespace RenderTest
