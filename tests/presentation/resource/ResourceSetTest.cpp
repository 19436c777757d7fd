#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/file/FileLoader.h"
#include "presentation/Near.h"
#include "presentation/model/MeshBuilder.h"
#include "presentation/model/Model.h"
#include "presentation/render/Material.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/resource/Texture.h"

namespace Game {
namespace {

using PresentationTest::digits;
using ResourceTestSupport::ResourceTest;

class ResourceSetTest : public ResourceTest {
 protected:
  void TearDown() override {
    mSet.clear();
    ResourceTest::TearDown();
  }
  FileLoader& loader() { return *FileLoader::instance(); }
  // mSet cleared, then loaded from `path` holding `text`.
  ResourceSet& load(const std::string& path, const std::string& text) {
    fs().put(path, text);
    mSet.clear();
    mSet.load(path.c_str());
    return mSet;
  }

  ResourceSet mSet;
};

TEST_F(ResourceSetTest, SizesRoundUpToPowersOfTwo) {
  const struct {
    const char* size;
    int width;
    int height;
  } cases[] = {{"100,60", 128, 64}, {"256,257", 256, 512}, {"1,3", 1, 4}, {"0,-2", 1, 1}, {"8,2000000000", 0, 0}};
  for (const auto& c : cases) {
    ResourceSet& set = load(std::string("src/picture/") + c.size + ".txt",
                            std::string("texture{name t;path p;size ") + c.size + ";}");
    ASSERT_NE(set.findTexture("t"), nullptr) << c.size;
    EXPECT_EQ(std::pair(set.findTexture("t")->width(), set.findTexture("t")->height()), std::pair(c.width, c.height))
        << c.size;
  }
  EXPECT_TRUE(logged("src/picture/8,2000000000.txt : \"t\" has a size beyond"));
}

// For every kind, a second node of a name reuses the first object and is not read.
TEST_F(ResourceSetTest, TwoDefinitionsOfOneNameMakeOneObject) {
  putImage("first.tga", 4, 4);
  ResourceSet& set = load("src/picture/twice.txt",
                          "texture{name t;path first;}texture{name t;path second;}"
                          "materials{name m;ambient 100,0,0;}materials{name m;ambient 0,0,100;}"
                          "animation{name a;}animation{name a;}"
                          "batch{name b;rect 0,0,2,2;}batch{name b;type cube;rect 0,0,2,2;}"
                          "model{name n;}model{name n;}");
  EXPECT_EQ(loader().textureCount(), 1);  // "second" was never opened
  EXPECT_EQ(set.findMaterial("m")->state().colors.ambient.z, 0.f);
  EXPECT_EQ((std::vector<int>{set.materials().count(), set.animations().count(), set.models().count(),
                              set.batches().count()}),
            (std::vector<int>{1, 1, 1, 1}));
  EXPECT_EQ(set.findBatch("b")->triangleCount(), 2);  // the quad, not the cube
}

// A batch naming a texture before its definition makes an empty texture; the
// later definition is then skipped.
TEST_F(ResourceSetTest, ANameReferencedBeforeItsDefinitionKeepsTheEmptyObject) {
  putImage("src/picture/wall.tga", 4, 4);
  ResourceSet& set = load("src/picture/order.txt",
                          "batch{name b;texture{name wall;size 4,4;}rect 0,0,4,4;}texture{name wall;file wall;}");
  ASSERT_EQ(set.textures().count(), 1);
  EXPECT_EQ(set.findBatch("b")->texture(), set.findTexture("wall"));
  EXPECT_FALSE(set.findTexture("wall")->handle());
  EXPECT_EQ(loader().textureCount(), 0);
}

// "file" lies next to the including file (the working directory for a file
// named without a directory), "path" is from the working directory.
TEST_F(ResourceSetTest, IncludesResolveByFileNextToTheIncluderAndByPathFromTheWorkingDirectory) {
  fs().put("src/picture/near.txt", "materials{name near;}include{file deeper/down.txt;}");
  fs().put("src/picture/deeper/down.txt", "materials{name down;}include{file last.txt;}");
  fs().put("src/common/far.txt", "materials{name far;}");
  putImage("src/picture/deeper/skin.tga", 8, 2);
  fs().put("src/picture/deeper/last.txt", "materials{name last;}texture{name skin;file skin;}");
  ResourceSet& set =
      load("src/picture/top.txt", "materials{name top;}include{file near.txt;}include{path src/common/far.txt;}");
  for (const char* name : {"top", "near", "down", "last", "far"}) {
    EXPECT_NE(set.findMaterial(name), nullptr) << name;
  }
  Texture* skin = set.findTexture("skin");
  ASSERT_NE(skin, nullptr);
  skin->waitReady();
  EXPECT_EQ(skin->width(), 8);
  fs().put("other.txt", "materials{name other;}");
  EXPECT_NE(load("top.txt", "include{file other.txt;}").findMaterial("other"), nullptr);
}

TEST_F(ResourceSetTest, IncludeCyclesAndChainsPastTheDepthLimitAreRefusedNamingTheFiles) {
  fs().put("src/b.txt", "materials{name b;}include{path src/a.txt;}include{file b.txt;}");
  EXPECT_EQ(load("src/a.txt", "materials{name a;}include{file b.txt;}").materials().count(), 2);
  EXPECT_TRUE(logged("src/b.txt includes src/a.txt"));
  EXPECT_TRUE(logged("src/b.txt includes src/b.txt"));
  // Paths spelled differently each round ("a/../a/x.txt") end at the limit.
  const int files = ResourceSet::kMaxIncludeDepth + 2;
  for (int i = 1; i < files; ++i) {
    fs().put("chain/" + std::to_string(i) + ".txt",
             "materials{name m" + std::to_string(i) + ";}include{file " + std::to_string(i + 1) + ".txt;}");
  }
  EXPECT_EQ(load("chain/0.txt", "materials{name m0;}include{file 1.txt;}").materials().count(),
            ResourceSet::kMaxIncludeDepth);
  EXPECT_TRUE(logged("deep (from chain/0.txt)"));
}

TEST_F(ResourceSetTest, RemovableNodesGoWithTheOmitSettingAndLookupsGiveNullForUnknowns) {
  for (int omit : {1, 0}) {
    Config::instance().setting(Config::kOmit).set(omit);
    ResourceSet& set = load("src/omit.txt", "materials{name kept;}materials{name extra;#removable;}");
    EXPECT_NE(set.findMaterial("kept"), nullptr);
    EXPECT_EQ(set.findMaterial("extra") != nullptr, omit == 0) << "omit " << omit;
  }
  ResourceSet& set = load("src/look.txt", "model{name m0;}model{name m1;}batch{name b;}animation{name a;}materials{}");
  EXPECT_EQ(set.getModel(1), set.findModel("m1"));
  EXPECT_EQ((std::vector<Model*>{set.getModel(2), set.getModel(-1), set.findModel("M0")}), std::vector<Model*>(3));
  EXPECT_FALSE(set.getAnimation(1));
  set.clear();
  EXPECT_EQ(set.findModel("m0"), nullptr);
}

TEST_F(ResourceSetTest, TheTextureCacheSharesOneTextureBetweenSetsUntilTheLastUserGoes) {
  putImage("src/picture/stone.tga", 4, 4);
  fs().put("src/one.txt", "texture{name s;path src/picture/stone;}");
  fs().put("src/picture/two.txt", "texture{name other;file stone;}");
  ResourceSet one;
  ResourceSet two;
  one.load("src/one.txt");
  two.load("src/picture/two.txt");
  ASSERT_TRUE(one.findTexture("s")->handle());
  EXPECT_EQ(one.findTexture("s")->handle(), two.findTexture("other")->handle());
  EXPECT_EQ(loader().textureCount(), 1);
  one.clear();
  EXPECT_EQ(loader().textureCount(), 1);
  two.findTexture("other")->waitReady();
  EXPECT_TRUE(two.findTexture("other")->handle().hasPixels());
  two.clear();
  EXPECT_EQ(loader().textureCount(), 0);
  one.load("src/one.txt");  // loaded anew
  one.findTexture("s")->waitReady();
  EXPECT_TRUE(one.findTexture("s")->handle().hasPixels());
}

// Where the file loader may go on (tests), a missing image is an empty
// texture once read: nothing waits for it for ever.
TEST_F(ResourceSetTest, AMissingImageEndsTheWaitWithAnEmptyTexture) {
  ResourceSet& set =
      load("src/gone.txt", "batch{name b;texture{name t;path nowhere;}rect 0,0,64,64;}texture{name u;}");
  EXPECT_TRUE(set.findTexture("t")->isReady());
  EXPECT_FALSE(set.findTexture("t")->handle().hasPixels());
  EXPECT_EQ(set.findBatch("b")->triangleCount(), 2);
  EXPECT_TRUE(logged("src/gone.txt : \"u\" is defined without \"path\" or \"file\""));
  EXPECT_FALSE(set.findTexture("u")->handle());
}

using Engine::Graphics::Vertex;

class BatchTest : public ResourceSetTest {
 protected:
  // One vertex with texel uv.
  static void oneVertexMesh(MeshBuilder& mesh, float u, float v) {
    MeshVertex* vertex = mesh.addVertices(1);
    vertex->uv.set(u, v);
    vertex->position.set(400.f, -800.f, 200.f);
    vertex->normal.set(0.f, 1.f, 0.f);
    vertex->color = Color(0x80ff4020u);
  }

  // The batch of a one-node file with the given texture keys; each call
  // reads a new file, since a file read lately is kept by the loader.
  Batch& batchWith(const std::string& textureKeys) {
    const std::string file = "src/b" + std::to_string(++mFiles) + ".txt";
    fs().put(file, "batch{name b;texture{name t;" + textureKeys + "}}");
    mSet.load(file.c_str());
    return *mSet.findBatch("b");
  }

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
  for (int i = 0; i < 5; ++i) {
    index[i] = i % 3;
  }
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
  // x, y and z in units, texel uv, the normal's z.
  const std::string expected[4] = {"60,0,8 uv 11,21 nz -1", "140,0,8 uv 49,21 nz -1", "140,-120,8 uv 49,49 nz -1",
                                   "60,-120,8 uv 11,49 nz -1"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(digits(v[i].x * 400.f) + "," + digits(v[i].y * 400.f) + "," + digits(v[i].z * 400.f) + " uv " +
                  digits(v[i].u) + "," + digits(v[i].v) + " nz " + digits(v[i].nz),
              expected[i]);
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
