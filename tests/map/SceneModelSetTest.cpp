#include "map/SceneModelSet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "presentation/model/ModelTestSupport.h"
#include "map/Map.h"
#include "presentation/render/RenderState.h"
#include "tests/map/MapTestSupport.h"

namespace Game {
namespace {

using Strings = std::vector<std::string>;

// Descriptions and resource files on the fake file system; the models'
// draws tell their time.
class SceneModelSetTest : public ModelTestSupport::ModelTest {
 protected:
  void TearDown() override {
    set.clear();
    ModelTest::TearDown();
  }

  Strings drawn(float time) {
    set.draw(RenderState(), time);
    return hook.take();
  }

  SceneModelSet set;
};

TEST_F(SceneModelSetTest, ContainersReadTheirFilesTimedEntriesEndAndAClearTakesAll) {
  fs().put("src/scene/beside.txt", "model{name a;" + timed("a") + "}");
  fs().put("src/other/far.txt", "model{name b;" + timed("b") + "}");
  fs().put("src/scene/floor.fmf", MapTestSupport::fmf(2, 1, 8, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}));
  fs().put("src/scene/desc.txt",
           "container{file beside.txt; model a; model a; model missing;}"
           "container{path src/other/far.txt; model b;}map{file floor.fmf;}");
  set.load("src/scene/desc.txt");
  // The missing model is skipped; the map is read from floor.fmf.
  ASSERT_EQ(set.maps().size(), 1u);
  EXPECT_EQ(std::tuple(set.resourceSets().count(), set.entries().count(), set.maps()[0]->width()), std::tuple(2, 3, 2));
  EXPECT_EQ(drawn(7.f), (Strings{"a@7", "a@7", "b@7"}));

  // Entries of the description stay for good.
  EXPECT_EQ(drawn(100000.f).size(), 3u);

  fs().put("src/scene/empty.txt", "// nothing");
  set.load("src/scene/empty.txt");  // a new load starts empty
  EXPECT_EQ(std::tuple(set.entries().isEmpty(), set.resourceSets().isEmpty()), std::tuple(true, true));
  // Timed entries end when their duration has passed; a clear takes all.
  fs().put("src/fx/fx.txt", "model{name spark;" + timed("s") + "}");
  set.createResourceSet("src/fx/fx.txt", "fx");
  set.addModelFromSet("fx", "spark", "first", 100.f, 60.f);
  set.addModelFromSet("fx", "spark", "forever", 100.f, 0.f);
  set.addModelFromSet("nowhere", "spark", "lost", 100.f, 60.f);
  set.addModelFromSet("fx", "nothing", "lost", 100.f, 60.f);
  EXPECT_EQ(set.entries().count(), 2);

  EXPECT_EQ(drawn(159.f), (Strings{"s@59", "s@59"}));
  EXPECT_EQ(drawn(160.f), (Strings{"s@60"}));
  EXPECT_EQ(set.findEntry("first"), nullptr);
  ASSERT_NE(set.findEntry("forever"), nullptr);

  set.destroyModel("nobody");
  set.destroyModel("forever");
  EXPECT_TRUE(set.entries().isEmpty());
  // Clearing destroys the models and sets it held.
  set.addModelFromSet("fx", "spark", "", 0.f, 0.f);
  set.clear();
  EXPECT_EQ(std::tuple(set.entries().isEmpty(), set.resourceSets().isEmpty(), drawn(1.f)),
            std::tuple(true, true, Strings{}));
}

}  // namespace
}  // namespace Game
