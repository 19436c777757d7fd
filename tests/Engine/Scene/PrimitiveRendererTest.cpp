#include "Engine/Scene/PrimitiveRenderer.h"
#include "Engine/Scene/StringRenderer.h"
#include "Framework/src/DebugFont.h"
#include "RendererFixture.h"

namespace Engine::Scene {
namespace {

using Math::Vector2;
using Math::Vector3;

class PrimitiveRendererTest : public RendererFixture<PrimitiveRenderer> {
 protected:
  void addRectangle() { mRenderer.addRectangle(Vector2(0, 0), Vector2(8, 8), 0xFFFFFFFF, 0.0f); }
};

TEST_F(PrimitiveRendererTest, ReturningToTheTextureOfTheCurrentBatchMakesTwoBatchesNotThree) {
  mRenderer = PrimitiveRenderer::create(64, 8);
  const Graphics::Texture a = Graphics::Texture::create(8, 8, false);
  const Graphics::Texture b = Graphics::Texture::create(8, 8, false);
  mRenderer.setTexture(a);
  addRectangle();
  mRenderer.setTexture(b);
  mRenderer.setTexture(a);
  addRectangle();
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 2", "draw TriangleList 6 2"}));
  EXPECT_EQ(device().callsStartingWith("setTexture").size(), 1u + 1u);  // A, then unbound at the end
}

TEST_F(PrimitiveRendererTest, EmptyFrameBindsAndUnbindsButDrawsNothing) {
  mRenderer = PrimitiveRenderer::create(64, 8);
  mRenderer.setBlendMode(1);  // a state change alone draws nothing either
  EXPECT_TRUE(drawCalls().empty());
  EXPECT_EQ(device().callsStartingWith("setVertexBuffer"), (Calls{"setVertexBuffer", "setVertexBuffer null"}));
}

TEST_F(PrimitiveRendererTest, PrimitivesBeyondTheRoomAreDropped) {
  mRenderer = PrimitiveRenderer::create(14, 1);
  addRectangle();
  addRectangle();
  addRectangle();  // no room for six more vertices
  mRenderer.addLine(Vector3(0, 0, 0), Vector3(1, 1, 0), 0xFF000000, 0xFFFFFFFF);  // would need a second batch
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 4"}));

  addRectangle();
  mRenderer.setBlendMode(1);  // no batch left for the change: what follows is dropped
  addRectangle();
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 2"}));
  addRectangle();  // a new frame has all its room again
  addRectangle();
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 4"}));
}

// The debug text layer's bitmap font: codes 32 to 126 and 161 to 223, 8 x 16.
Font debugFont() {
  const std::span<const u8> image = DebugFont::image();
  const char* const images[] = {reinterpret_cast<const char*>(image.data())};
  const i32 sizes[] = {static_cast<i32>(image.size())};
  const std::vector<u8> table = DebugFont::glyphTable();
  return Font::createBitmap(images, sizes, 1, table.data(), DebugFont::kGlyphCount);
}

using StringRendererTest = RendererFixture<StringRenderer>;

TEST_F(StringRendererTest, MissingGlyphBoxAndTheFontPageAreOneBatchEach) {
  mRenderer = StringRenderer::create(64, 4);
  mRenderer.setFont(debugFont());
  // Byte 1 is not in the font; "ｱｲ" are half-width katakana it has.
  mRenderer.add(0, 0, "\xb1\x01\xb2", 0xFFFFFFFF, false, 0.0f);
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 2", "draw TriangleList 6 4"}));
  // The box samples the manager's white texture, then the font's page is bound.
  EXPECT_EQ(device().callsStartingWith("setTexture"), (Calls{"setTexture", "setTexture", "setTexture null"}));
}

TEST_F(StringRendererTest, RequestsAndCharactersBeyondTheRoomAreDropped) {
  mRenderer = StringRenderer::create(5, 2);
  mRenderer.setFont(debugFont());
  mRenderer.add(0, 0, "first", 0xFFFFFFFF, false, 0.0f);
  mRenderer.add(0, 16, "AB", 0xFFFFFFFF, false, 0.0f);
  mRenderer.add(0, 32, "dropped", 0xFFFFFFFF, false, 0.0f);
  // The latest request is laid out first: "AB" and the first three of "first".
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 10"}));
  mRenderer.add(0, 0, "ABC", 0xFFFFFFFF, false, 0.0f);
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 6"}));  // a new frame has all its room
}

TEST_F(StringRendererTest, AddingWithoutAFontHalts) {
  mRenderer = StringRenderer::create(8, 2);
  EXPECT_DEATH(mRenderer.add(0, 0, "A", 0xFFFFFFFF, false, 0.0f), "Font hasn't been set");
}

}  // namespace
}  // namespace Engine::Scene
