#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/Near.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/render/Color.h"
#include "presentation/resource/Batch.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"

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
    for (const char* file : {"pa", "b", "c", "d", "e"}) {
      putImage(std::string("src/face/") + file + ".tga", 8, 8);
    }
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
  EXPECT_EQ(std::string(face("a")->file.c_str()) + " " + face("a")->chara.c_str() + " " + face("b")->file.c_str() +
                " " + face("b")->chara.c_str(),
            "src/face/pa a src/face/b Bee");
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

// The interface pictures over small files; each pip's draw is recorded as
// "model@x,y" with its scale.
class GuiPicturesTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    fs().put("src/picture/gui/呪力.txt",
             "model{name active;batch{name a;rect 0,0,2,2;}}model{name invalid;batch{name i;rect 0,0,2,2;}}"
             "model{name empty;batch{name e;rect 0,0,2,2;}}");
    fs().put("src/picture/gui/矢印.txt", "model{name arrow;batch{name arrow;rect 0,0,2,2;}}");
    fs().put("src/picture/gui/スポット.txt", "");
    fs().put("src/picture/gui/アイコン.txt", "model{name 剣;batch{name sword;rect 0,0,2,2;}}");
    fs().put("src/picture/gui/コンパス.txt",
             "batch{name cell;rect 0,0,2,2;}model{name compass;batch{name ring;rect 0,0,2,2;}}");
    GuiPictures::create();
  }
  void TearDown() override {
    GuiPictures::destroy();
    ModelTest::TearDown();
  }

  static GuiPictures& pictures() { return *GuiPictures::instance(); }
  // Each draw as "batch@x,y" (interface units, rounded).
  std::vector<std::string> pips() {
    std::vector<std::string> out;
    for (const auto& draw : hook.draws) {
      EXPECT_TRUE(draw.state.frontEnd);
      const auto at = [&](int row) { return std::to_string(static_cast<int>(draw.state.transform(row, 3) * 400.f + 100.5f) - 100); };
      out.push_back(draw.batch + "@" + at(0) + "," + at(1));
    }
    hook.draws.clear();
    return out;
  }
};

// More filled than total fills every pip; a flipped row runs leftward; a
// stack adds smaller rows of active and invalid pips below.
TEST_F(GuiPicturesTest, GaugesLayTheirPipsInRows) {
  pictures().drawGauge(0.f, 0.f, 1.f, false, 9, 2, "invalid");
  EXPECT_EQ(pips(), (std::vector<std::string>{"i@0,0", "i@16,0"}));
  pictures().drawGauge(0.f, 0.f, 1.f, false, 3, 0, "active");
  EXPECT_TRUE(pips().empty());
  pictures().drawGauge(100.f, 0.f, 2.f, true, 2, 2, "active");
  ASSERT_EQ(hook.draws.size(), 2u);
  // Turned half round about y: x and z mirrored, y kept, all by the scale.
  EXPECT_EQ(PresentationTest::digits(hook.draws[1].state.transform(0, 0)) + " " +
                PresentationTest::digits(hook.draws[1].state.transform(1, 1)),
            "-2 2");
  EXPECT_EQ(pips(), (std::vector<std::string>{"a@100,0", "a@68,0"}));
  pictures().drawGaugeStack(0.f, 100.f, 2.f, false, 1, 2, 1, 2);
  EXPECT_EQ(pips(), (std::vector<std::string>{"a@0,100", "e@32,100", "a@0,52", "i@0,4", "i@24,4"}));
}

TEST_F(GuiPicturesTest, IconsAreFoundByNameAndTheCompassByPosition) {
  EXPECT_NE(GuiPictures::icon("剣"), nullptr);
  EXPECT_EQ((std::vector<Model*>{GuiPictures::icon("盾"), GuiPictures::icon(nullptr)}), std::vector<Model*>(2));
  EXPECT_EQ(std::string(pictures().compassModel()->name()) + " " + pictures().arrowModel()->name(), "compass arrow");
  EXPECT_EQ(pictures().compassBatch("ring"), pictures().compass().findBatch("ring"));
  EXPECT_EQ(pictures().compassBatch("cursor"), nullptr);
  GuiPictures::destroy();
  EXPECT_EQ(GuiPictures::icon("剣"), nullptr);
}

using Engine::Math::Vector3;

// The system pictures over small files: digit models that last 60 frames,
// as the sample ones do, and a pool of a scene's size.
class SpawnNumberTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    std::string numbers;
    for (const char* name : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "miss"}) {
      numbers += std::string("model{name ") + name + ";time 60;batch{name d" + name + ";rect 0,0,2,2;}}";
    }
    fs().put("src/system/number.txt", numbers);
    for (const char* file : {"wall", "cursor", "frame", "rect", "gauge", "systemsound"}) {
      fs().put(std::string("src/system/") + file + ".txt", "");
    }
    SceneRenderer::create(800, 600);
    SystemResources::create();
  }
  void TearDown() override {
    pool.reset();
    SystemResources::destroy();
    SceneRenderer::destroy();
    ModelTest::TearDown();
  }

  void spawn(int value, bool critical, int row = 1) {
    SystemResources::instance()->spawnNumber(*pool, value, kWhere, Color(0xFFFF8000u), critical, row);
  }
  static Model* digit(int value) { return SystemResources::instance()->numbers().digit(value); }

  const Vector3 kWhere{100.f, -50.f, 30.f};
  std::unique_ptr<SceneNodePool> pool = std::make_unique<SceneNodePool>(SceneNodePool::kSceneCapacity);
};

TEST_F(SpawnNumberTest, ACriticalNumberIsCentredLargerAndShownDigitByDigit) {
  spawn(120, true);
  ASSERT_EQ(pool->activeCount(), 3);
  // Ones first, from slot 512: spacing truncate(0.375 x 40) = 15 about the
  // position; the leading digit 0.1 larger; each further digit 4 frames later.
  // Per digit: x, scale and time; then the colour's green (0x80) and the height.
  const struct {
    int digit;
    const char* placed;
  } expected[] = {{0, "15 0.375 0"}, {2, "0 0.375 -4"}, {1, "-15 0.475 -8"}};
  for (int i = 0; i < 3; ++i) {
    const SceneNode& node = pool->node(512 + i);
    ASSERT_TRUE(node.isActive()) << i;
    EXPECT_EQ(node.getModel(), digit(expected[i].digit)) << i;
    const auto d = [](float f) { return PresentationTest::digits(f); };
    EXPECT_EQ(d(node.position.x.value()) + " " + d(node.scale.x.value()) + " " + d(node.getTime()) + " " +
                  d(node.ambient.y.value()) + " " + d(node.baseState.transform(2, 3) * 400.f),
              std::string(expected[i].placed) + " 0.502 30");
  }
}

TEST_F(SpawnNumberTest, ZeroShowsNothingANegativeValueMissAndOneDigitStandsOnThePosition) {
  spawn(0, false);
  EXPECT_EQ(pool->activeCount(), 0);
  spawn(-1, false);
  ASSERT_EQ(pool->activeCount(), 1);
  const SceneNode& miss = pool->node(0);
  EXPECT_EQ(miss.getModel(), SystemResources::instance()->numbers().miss());
  EXPECT_EQ((std::vector<float>{miss.scale.x.value(), miss.scale.y.value(), miss.scale.z.value()}),
            (std::vector<float>{0.25f, 0.25f, 0.25f}));
  EXPECT_TRUE(miss.baseState.billboard);
  spawn(7, false);  // at the leading size
  const SceneNode& node = pool->node(512);
  EXPECT_EQ(node.getModel(), digit(7));
  EXPECT_FLOAT_EQ(node.position.x.value(), 0.f);
  EXPECT_FLOAT_EQ(node.scale.x.value(), 0.35f);
}

// Each row springs about 33 units higher and stops there; the digits leave
// the pool when their models have played their 60 frames.
TEST_F(SpawnNumberTest, NumbersRiseByTheirRowAndLeaveThePool) {
  spawn(35, false, 0);
  spawn(35, false, 2);
  for (int step = 0; step < 40; ++step) {
    pool->update();
  }
  EXPECT_NEAR(pool->node(512).position.y.value(), 0.f, 1e-3f);
  EXPECT_NEAR(pool->node(514).position.y.value(), 2.f * 20.f / 0.6f, 0.01f);
  for (int step = 40; step < 60 + 4; ++step) {
    EXPECT_EQ(pool->activeCount(), step < 60 ? 4 : 2) << step;
    pool->update();
  }
  EXPECT_EQ(pool->activeCount(), 0);
}

}  // namespace
}  // namespace Game
