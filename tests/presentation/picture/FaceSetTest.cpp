#include "presentation/picture/FaceSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/model/ModelTestSupport.h"
#include "presentation/resource/Batch.h"

namespace Game {
namespace {

// Five faces on the fake file system, their pictures loaded through the
// file loader, and their draws recorded.
class FaceSetTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    fs().put("src/face/face.txt",
             "face{name a;file pa;}face{name b;chara Bee;}note{name x;}face{name c;}face{name d;}face{name e;}"
             "face{name a;file other;}");
    fs().put("src/face/batch.txt", "texture{name face;file pa;size 8,8;}batch{name main;texture{name face;}"
                                   "rect 0,0,8,8;size 100,100,0;}");
    for (const char* file : {"pa", "b", "c", "d", "e"}) putImage(std::string("src/face/") + file + ".tga", 8, 8);
    FaceSet::create();
  }
  void TearDown() override {
    FaceSet::destroy();
    ModelTest::TearDown();
  }

  static FaceSet& faces() { return *FaceSet::instance(); }
  static Face* face(const char* name) { return faces().find(name); }
  // The faces the four picture slots hold, by name.
  static std::string slots() {
    std::string out;
    for (int i = 0; i < FaceSet::kCachedTextures; ++i) {
      const Face* held = faces().cachedFace(i);
      out += held ? held->name.c_str() : "-";
    }
    return out;
  }
  void use(const char* names) {
    for (const char* n = names; *n; ++n) {
      const char name[2] = {*n, '\0'};
      ASSERT_NE(faces().texture(face(name)), nullptr) << name;
    }
  }
};

// Only "face" nodes are faces, and the first of a name wins.
TEST_F(FaceSetTest, ReadsTheFacesWithTheirSpeakersAndFiles) {
  EXPECT_EQ(faces().faceCount(), 6);
  EXPECT_STREQ(face("a")->file.c_str(), "src/face/pa");
  EXPECT_STREQ(face("a")->chara.c_str(), "a");
  EXPECT_STREQ(face("b")->chara.c_str(), "Bee");
  EXPECT_STREQ(face("b")->file.c_str(), "src/face/b");
  EXPECT_EQ(face("x"), nullptr);
  EXPECT_EQ(face(nullptr), nullptr);
  ASSERT_NE(faces().mainBatch(), nullptr);
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

TEST_F(FaceSetTest, TheFifthFaceTakesTheSlotUsedLongestAgo) {
  EXPECT_EQ(faces().texture(nullptr), nullptr);
  use("abcd");
  EXPECT_EQ(slots(), "abcd");
  use("e");
  EXPECT_EQ(slots(), "ebcd");
  // "a" comes back in place of "b", the least recently used.
  use("a");
  EXPECT_EQ(slots(), "eacd");
  // A face held already keeps its slot and counts as used.
  Texture* held = faces().texture(face("c"));
  use("c");
  EXPECT_EQ(faces().texture(face("c")), held);
  use("b");
  EXPECT_EQ(slots(), "eacb");
  // Four pictures held, the batch's own being a's: an evicted one is let go.
  EXPECT_EQ(FileLoader::instance()->textureCount(), 4);
}

// Each face draws in the interface layer with its own picture (placed as the pixel test shows).
TEST_F(FaceSetTest, AFaceIsDrawnBesideTheBoxWithItsPicture) {
  struct TextureHook : ModelTestSupport::RecordingHook {
    std::vector<const Texture*> seen;
    void queue(const Batch& batch, const Texture* texture, const RenderState& state) override {
      seen.push_back(texture);
      RecordingHook::queue(batch, texture, state);
    }
  } textureHook;
  face("b")->draw(1, RenderState());
  face("c")->draw(0, RenderState());
  ASSERT_EQ(textureHook.draws.size(), 2u);
  EXPECT_TRUE(textureHook.draws[0].state.frontEnd);
  EXPECT_EQ(textureHook.seen, (std::vector<const Texture*>{faces().texture(face("b")), faces().texture(face("c"))}));
}

TEST(FaceSetWithoutFiles, FacesAddedByHandAreFoundAndDrawNothing) {
  FaceSet::createWithoutFiles();
  Face* hero = FaceSet::instance()->add("hero", "src/face/hero", "Alto");
  EXPECT_EQ(FaceSet::instance()->find("hero"), hero);
  hero->draw(0, RenderState());  // no batch: nothing drawn, no picture loaded
  FaceSet::destroy();
  EXPECT_EQ(FaceSet::instance(), nullptr);
}

}  // namespace
}  // namespace Game
