#include <array>
#include <string>

#include "core/file/nml/NmlDocument.h"
#include "presentation/render/Material.h"
#include "presentation/render/RenderState.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

using Engine::Graphics::Manager;
using Game::Material;
using Game::NmlDocument;
using Game::RenderState;

constexpr std::array<float, 4> kFullLights = {1.f, 1.f, 1.f, 1.f};

// States set up through RenderState.
class RenderStateRender : public SmallScreen {
 protected:
  // The material read from one line of keys.
  Material material(const char* keys) {
    NmlDocument doc;
    std::string text = std::string("m{") + keys + "}";
    doc.loadFromText("materials.txt", text.c_str());
    Material m;
    m.load(*doc.findChild("m"));
    return m;
  }
};

// Each blend mode over a known background, source colour (1, 0.5, 0) at alpha 0x80.
TEST_F(RenderStateRender, BlendModesOverAKnownBackground) {
  const double r = 0.25, g = 0.5, b = 0.75;
  const double a = 128.0 / 255.0;
  const u32 expected[6] = {
      rgb(1, a, 0),
      rgb(1 * a + r * (1 - a), a * a + g * (1 - a), b * (1 - a)),
      rgb(a + r, a * a + g, b),
      rgb(r, a * g, 0),
      rgb(1 - r, a * (1 - g), 0),
      rgb(1 + r * (1 - a), a + g * (1 - a), b * (1 - a)),
  };
  RenderState background;
  for (u32 mode = 0; mode < 6; ++mode) {
    background.applyToDevice(kFullLights, false);
    drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFF4080C0u));
    RenderState source;
    source.setBlendModeFromKey(static_cast<int>(mode));
    source.applyToDevice(kFullLights, false);
    drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0x80FF8000u));
    EXPECT_TRUE(colorNear(expected[mode], centre(), 2)) << "blend mode " << mode;
  }
}

TEST_F(RenderStateRender, TransparencyBelowHalfIsDroppedByTheAlphaTest) {
  for (const char* keys : {"transparency 49;", "transparency 49;blendMode 3;"}) {
    material(keys).state().applyToDevice(kFullLights, false);
    drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
    EXPECT_EQ(centre(), kBlack) << keys;
  }
  material("transparency 51;").state().applyToDevice(kFullLights, false);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  EXPECT_EQ(centre(), 0xFFFFFFFFu);
  // Text's alpha blending has no alpha test: a faint draw still shows.
  manager().beginDraw();
  material("transparency 20;blendMode 1;").state().applyToDevice(kFullLights, false);
  drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFFFFFFFu));
  EXPECT_TRUE(colorNear(rgb(0.2, 0.2, 0.2), centre(), 2));
}

TEST_F(RenderStateRender, HalfAmbientHalvesBrightnessWhateverTheLightingProgram) {
  for (bool pixelShader : {false, true}) {
    manager().beginDraw();
    const Material half = material("ambient 50;light{};");
    EXPECT_EQ(half.state().deviceLightingMode(pixelShader), pixelShader ? 2 : 1);
    half.state().applyToDevice(kFullLights, pixelShader);
    drawQuad(makeQuad(-1, -1, 1, 1, 0.5f, 0xFFC08040u));
    EXPECT_TRUE(colorNear(rgb(0.75 / 2, 0.5 / 2, 0.25 / 2), centre(), 2)) << "pixel shader " << pixelShader;
  }
}

// The builder's quad, red, seen from +z (identity view, z up to 0.5 in front of the near plane) with the
// state's transform.
void drawBuilderQuad(const IndexedQuad& quad, const RenderState& state) {
  Manager manager = Manager::instance();
  manager.beginDraw();
  state.applyToDevice(kFullLights, false);
  Engine::Math::Matrix34 world;
  world.setTranslation(0.f, 0.f, 0.5f);
  world *= state.transform;
  manager.setWorldMatrix(world);
  manager.setVertexBuffer(quad.vertices);
  manager.setIndexBuffer(quad.indices);
  manager.drawIndexed(0, 2, 0);
}

TEST_F(RenderStateRender, InvertedStatesSwapTheCulledWinding) {
  const IndexedQuad quad = makeSquare(1.f, kRed);
  const auto draw = [&](const RenderState& state) { drawBuilderQuad(quad, state); };
  RenderState plain;
  draw(plain);
  EXPECT_EQ(centre(), kRed) << "the default cull shows the front";

  RenderState flagged;
  flagged.inverted = true;
  draw(flagged);
  EXPECT_EQ(centre(), kBlack) << "inverted without a mirror shows the back";

  RenderState mirrored;
  mirrored.reverse[0] = true;
  mirrored.applyReverse();
  draw(mirrored);
  EXPECT_EQ(centre(), kRed) << "a mirrored front still shows";

  RenderState backFaces = material("cull true,false;").state();
  draw(backFaces);
  EXPECT_EQ(centre(), kBlack) << "cull mode 1 hides the front";
  backFaces.reverse[1] = true;
  backFaces.applyReverse();
  draw(backFaces);
  EXPECT_EQ(centre(), kBlack) << "and still hides it mirrored";
}

}  // namespace
}  // namespace RenderTest
