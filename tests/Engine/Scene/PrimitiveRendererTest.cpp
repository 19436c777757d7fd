#include "Engine/Scene/PrimitiveRenderer.h"
#include "RendererFixture.h"

namespace Engine::Scene {
namespace {

using Math::Vector2;
using Math::Vector3;

class PrimitiveRendererTest : public RendererFixture<PrimitiveRenderer> {
 protected:
  void addRectangle() { mRenderer.addRectangle(Vector2(0, 0), Vector2(8, 8), 0xFFFFFFFF, 0.0f); }
  void addLine() { mRenderer.addLine(Vector3(0, 0, 0), Vector3(1, 1, 0), 0xFF000000, 0xFFFFFFFF); }
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
  addLine();       // would need a second batch
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 4"}));

  addRectangle();
  mRenderer.setBlendMode(1);  // no batch left for the change: what follows is dropped
  addRectangle();
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 2"}));
  addRectangle();  // a new frame has all its room again
  addRectangle();
  EXPECT_EQ(drawCalls(), (Calls{"draw TriangleList 0 4"}));
}

}  // namespace
}  // namespace Engine::Scene
