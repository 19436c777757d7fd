#include "presentation/resource/Batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/model/MeshBuilder.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/resource/Texture.h"

namespace Game {
namespace {

using Engine::Graphics::Vertex;
using ResourceTestSupport::ResourceTest;

class BatchTest : public ResourceTest {
 protected:
  // One vertex with texel uv.
  static void oneVertexMesh(MeshBuilder& mesh, float u, float v) {
    MeshVertex* vertex = mesh.addVertices(1);
    vertex->uv.set(u, v);
    vertex->position.set(400.f, -800.f, 200.f);
    vertex->normal.set(0.f, 1.f, 0.f);
    vertex->color = Color(0x80ff4020u);
  }

  void TearDown() override {
    mSet.clear();  // the textures go back to the file loader's cache
    ResourceTest::TearDown();
  }

  // The batch of a one-node file with the given texture keys; each call
  // reads a new file, since a file read lately is kept by the loader.
  Batch& batchWith(const std::string& textureKeys) {
    const std::string file = "src/b" + std::to_string(++mFiles) + ".txt";
    fs().put(file, "batch{name b;texture{name t;" + textureKeys + "}}");
    mSet.load(file.c_str());
    return *mSet.findBatch("b");
  }

  ResourceSet mSet;
  int mFiles = 0;
};

// Texel uv over the texture's size: the image's, waited for, or an explicit
// one that is not; an image that could not be read keeps them as they are.
TEST_F(BatchTest, UvAreTexelsOverTheTextureSize) {
  putImage("src/wide.tga", 256, 128);
  const struct {
    const char* keys;
    float u, v;
  } cases[] = {{"file wide;", 0.5f, 0.5f}, {"file wide;size 512,256;", 0.25f, 0.25f}, {"file absent;", 128, 64}};
  for (const auto& c : cases) {
    mSet.clear();
    Batch& batch = batchWith(c.keys);
    MeshBuilder mesh(1, 0);
    oneVertexMesh(mesh, 128, 64);
    batch.upload(mesh);
    const std::vector<Vertex> uploaded = vertices(batch.vertexBuffer());
    ASSERT_EQ(uploaded.size(), 1u);
    EXPECT_FLOAT_EQ(uploaded[0].u, c.u) << c.keys;
    EXPECT_FLOAT_EQ(uploaded[0].v, c.v) << c.keys;
  }
}

TEST_F(BatchTest, VerticesUploadInMatrixUnitsWithPackedColours) {
  Batch batch;
  MeshBuilder mesh(1, 0);
  oneVertexMesh(mesh, 3, 4);
  batch.upload(mesh);
  const Vertex v = vertices(batch.vertexBuffer()).at(0);
  EXPECT_EQ(std::vector<float>({v.x, v.y, v.z, v.w, v.ny, v.u, v.v}),
            std::vector<float>({1.f, -2.f, 0.5f, 1.f, 1.f, 3.f, 4.f}));  // no texture: uv as given
  EXPECT_EQ(v.color, 0x80ff4020u);
}

TEST_F(BatchTest, TrianglesAreWholeThirdsOfTheIndicesAndAnEmptyMeshHasNoBuffers) {
  Batch batch;
  MeshBuilder mesh(3, 5);
  mesh.addVertices(3);
  int* index = mesh.addIndices(5);
  for (int i = 0; i < 5; ++i) index[i] = i % 3;
  EXPECT_EQ(batch.upload(mesh), 1);
  EXPECT_EQ(batch.indexBuffer().count(), 5u);  // the fifth index is uploaded, never drawn
  MeshBuilder empty(4, 4);
  EXPECT_EQ(batch.upload(empty), 0);
  EXPECT_FALSE(batch.hasMesh());
}

TEST_F(BatchTest, AQuadSpansItsTexelsScaledAroundItsCentre) {
  Batch batch;
  batch.setQuad(0, 0, 1, 1, Color(), 0, 0, 0, 1, 1, false, false);  // the renderer's quad
  std::vector<Vertex> v = vertices(batch.vertexBuffer());
  ASSERT_EQ(v.size(), 4u);
  EXPECT_FLOAT_EQ(v[0].x, -0.5f / 400.f);
  EXPECT_FLOAT_EQ(v[2].y, -0.5f / 400.f);
  EXPECT_EQ(v[0].color, 0xFFFFFFFFu);

  batch.setQuad(10, 20, 40, 30, Color(0xff102030u), 100, 60, 8, 2, 4, true, true);
  v = vertices(batch.vertexBuffer());
  const float expected[4][4] = {// x, y, u, v
                                {60, 0, 11, 21},
                                {140, 0, 49, 21},
                                {140, -120, 49, 49},
                                {60, -120, 11, 49}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(v[i].x * 400.f, expected[i][0]) << i;
    EXPECT_FLOAT_EQ(v[i].y * 400.f, expected[i][1]) << i;
    EXPECT_FLOAT_EQ(v[i].z * 400.f, 8.f) << i;
    EXPECT_FLOAT_EQ(v[i].u, expected[i][2]) << i;
    EXPECT_FLOAT_EQ(v[i].v, expected[i][3]) << i;
    EXPECT_FLOAT_EQ(v[i].nz, -1.f) << i;
    EXPECT_EQ(v[i].color, 0xff102030u) << i;
  }
}

TEST_F(BatchTest, AMaterialRefinesTheDrawState) {
  fs().put("src/m.txt", "batch{name b;materials{name glass;blendMode 1;}rect 0,0,2,2;}batch{name plain;}");
  mSet.load("src/m.txt");
  RenderState incoming;
  Engine::Math::Matrix34 billboard;
  billboard.setIdentity();
  const RenderState drawn = mSet.findBatch("b")->drawState(incoming, billboard);
  EXPECT_EQ(drawn.blendMode, 1u);
  EXPECT_FALSE(drawn.depthWrite);
  EXPECT_TRUE(mSet.findBatch("plain")->drawState(incoming, billboard).depthWrite);
}

// Drawn at once rather than queued: the triangles drawn, with two inverting
// passes of the screen quad around a negative draw, none while hidden.
TEST_F(BatchTest, DrawImmediateDrawsAtOnceAndCountsItsTriangles) {
  Batch quad;
  DrawView view;
  EXPECT_EQ(quad.drawImmediate(view, nullptr, RenderState()), 0);
  quad.setQuad(0, 0, 1, 1, Color(), 0, 0, 0, 1, 1, false, false);
  EXPECT_EQ(quad.drawImmediate(view, nullptr, RenderState()), 2);
  RenderState negative;
  negative.negative = true;
  EXPECT_EQ(quad.drawImmediate(view, nullptr, negative), 2);
  view.screenBatch = &quad;
  EXPECT_EQ(quad.drawImmediate(view, nullptr, negative), 6);
  view.hidden = true;
  EXPECT_EQ(quad.drawImmediate(view, nullptr, RenderState()), 0);
}

}  // namespace
}  // namespace Game
