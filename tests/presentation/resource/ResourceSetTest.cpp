#include "presentation/resource/ResourceSet.h"

#include <gtest/gtest.h>

#include <string>

#include "file/FileLoader.h"
#include "presentation/model/Model.h"
#include "presentation/render/Material.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/Texture.h"
#include "presentation/resource/ResourceTestSupport.h"

namespace Game {
namespace {

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
    int width, height;
  } cases[] = {{"100,60", 128, 64}, {"256,257", 256, 512}, {"1,3", 1, 4}, {"0,-2", 1, 1}, {"8,2000000000", 0, 0}};
  for (const auto& c : cases) {
    ResourceSet& set = load(std::string("src/picture/") + c.size + ".txt",
                            std::string("texture{name t;path p;size ") + c.size + ";}");
    ASSERT_NE(set.findTexture("t"), nullptr) << c.size;
    EXPECT_EQ(set.findTexture("t")->width(), c.width) << c.size;
    EXPECT_EQ(set.findTexture("t")->height(), c.height) << c.size;
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
  EXPECT_EQ(set.materials().count(), 1);
  EXPECT_EQ(set.animations().count(), 1);
  EXPECT_EQ(set.models().count(), 1);
  EXPECT_EQ(set.batches().count(), 1);
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
  for (const char* name : {"top", "near", "down", "last", "far"}) EXPECT_NE(set.findMaterial(name), nullptr) << name;
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

TEST_F(ResourceSetTest, RemovableNodesGoWithTheOmitSetting) {
  for (int omit : {0, 1}) {
    Config::instance().setting(Config::kOmit).set(omit);
    ResourceSet& set = load("src/omit.txt", "materials{name kept;}materials{name extra;#removable;}");
    EXPECT_NE(set.findMaterial("kept"), nullptr);
    EXPECT_EQ(set.findMaterial("extra") != nullptr, omit == 0) << "omit " << omit;
  }
}

TEST_F(ResourceSetTest, LookupsGiveNullForUnknownNamesAndPositionsAndClearEmptiesTheSet) {
  ResourceSet& set = load("src/look.txt", "model{name m0;}model{name m1;}batch{name b;}animation{name a;}materials{}");
  EXPECT_EQ(set.getModel(1), set.findModel("m1"));
  EXPECT_EQ(set.getModel(2), nullptr);
  EXPECT_EQ(set.getModel(-1), nullptr);
  EXPECT_FALSE(set.getAnimation(1));
  EXPECT_EQ(set.findModel("M0"), nullptr);
  set.clear();
  EXPECT_EQ(set.findModel("m0"), nullptr);
}

TEST_F(ResourceSetTest, TheTextureCacheSharesOneTextureBetweenSetsUntilTheLastUserGoes) {
  putImage("src/picture/stone.tga", 4, 4);
  fs().put("src/one.txt", "texture{name s;path src/picture/stone;}");
  fs().put("src/picture/two.txt", "texture{name other;file stone;}");
  ResourceSet one, two;
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
  Texture* texture = set.findTexture("t");
  EXPECT_TRUE(texture->isReady());
  EXPECT_FALSE(texture->handle().hasPixels());
  EXPECT_EQ(set.findBatch("b")->triangleCount(), 2);
  EXPECT_TRUE(logged("src/gone.txt : \"u\" is defined without \"path\" or \"file\""));
  EXPECT_FALSE(set.findTexture("u")->handle());
}

}  // namespace
}  // namespace Game
