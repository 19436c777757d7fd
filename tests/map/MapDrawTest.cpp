// Floors built through the floor-build queue from picture lists on the fake
// file system, and what their draws queue.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/map/MapBuildQueue.h"
#include "core/file/nml/NmlDocument.h"
#include "map/Map.h"
#include "presentation/model/ModelTestSupport.h"
#include "presentation/render/Material.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/Texture.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/MapPictureSet.h"
#include "tests/Services.h"
#include "tests/map/MapTestSupport.h"

namespace Game {
namespace {

using Strings = std::vector<std::string>;
using MapTestSupport::grid;

class MapDrawTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    fs().put("src/picture/map/chip/a.txt", "texture{name a;size 32;}materials{name dull;}");
    fs().put("src/picture/map/wall/w.txt", "texture{name w;size 32;}");
    fs().put("src/picture/map/object/o.txt", "model{name main;" + timed("o") + "}");
    NmlDocument tiles;
    // Three chips (the middle one unused) and two walls (the second unused).
    const std::string list = "wall{name w;file w;bottom 0xff102030;" + timed("x") +
                             "}wall{name spare;file w;}chip{x 0;y 0;file a;}chip{x 1;y 0;file a;}"
                             "chip{x 2;y 0;file a;wall w;section;}";
    tiles.loadFromText("list.txt", list.c_str());
    pictures.readTiles(tiles, "list.txt");
    NmlDocument objects;
    objects.loadFromText("list.txt", "object{number 1;file o;disappear true;}");
    pictures.readObjects(objects, "list.txt");
  }
  void TearDown() override {
    map.reset();
    pictures.release();
    ModelTest::TearDown();
  }

  // 13 x 1: plain floor, a walled section at x 0, objects at 11 and 12.
  FloorSpecGrid floor() {
    FloorSpecGrid specs = grid(13, 1, pictures.chipAt(0, 0));
    specs.at(0, 0).chip = pictures.chipAt(2, 0);
    specs.at(0, 0).height = 2;
    specs.at(11, 0).object = pictures.findObject("o");
    specs.at(12, 0).object = pictures.findObject("o");
    return specs;
  }

  MapTestSupport::BuildQueue buildQueue;
  MapPictureSet pictures;
  Map map{pictures};
};

// Steps go chip by chip, then wall by wall, one mesh group a step: groups
// without geometry are passed over in the same step, and the last step that
// builds reports the build done.
TEST_F(MapDrawTest, TheQueueBuildsOneGroupAFrame) {
  map.build(floor());
  MapBuildQueue& queue = *MapBuildQueue::instance();
  ASSERT_TRUE(queue.contains(&map));
  // Meshes, next chip and wall, queued and built after each step.
  const auto state = [&] {
    queue.update();
    return std::tuple(map.meshes().size(), map.nextChip(), map.nextWall(), queue.contains(&map), map.isBuilt());
  };
  EXPECT_EQ(state(), std::tuple(1u, 1, 0, true, false));  // chip 0
  EXPECT_EQ(state(), std::tuple(2u, 3, 0, true, false));  // chip 1 has no cell: chip 2 in the same step
  EXPECT_EQ(state(), std::tuple(3u, 3, 1, true, false));  // wall w; spare has none but is not reached
  EXPECT_EQ(state(), std::tuple(3u, 3, 2, false, true));  // spare: nothing left, done

  // Chip meshes take their set's texture and first material.
  EXPECT_EQ(std::tuple(std::string(map.meshes()[0]->batch->texture()->name()),
                       std::string(map.meshes()[0]->batch->material()->name()),
                       std::string(map.meshes()[2]->batch->texture()->name())),
            std::tuple("a", "dull", "w"));
  EXPECT_TRUE(map.meshes()[2]->animation);  // the wall entry's own
}

TEST_F(MapDrawTest, SpecObjectsStandOnTheirCellsAndFarOnesThatMayDisappearAreCulled) {
  map.build(floor());
  map.buildAllMeshes();
  map.draw(7.f);
  // Three meshes, then the object at x 11 (216 from the origin); the one at
  // x 12 (264 away) is left out. The wall mesh runs its animation.
  EXPECT_EQ(hook.take(), (Strings{"@0", "@0", "@7", "o@223"}));
  map.drawTransformed(RenderState(), 7.f);
  EXPECT_EQ(hook.take(), (Strings{"@0", "@0", "@7", "o@223", "o@271"}));
  // Objects of the specs stand on their cells, the first column and the last
  // row too, in x-then-y order.
  FloorSpecGrid specs = grid(2, 2, pictures.chipAt(0, 0));
  specs.at(0, 1).object = pictures.findObject("o");
  specs.at(1, 0).object = pictures.findObject("o");
  specs.at(1, 1).object = pictures.findObject("o");
  specs.at(1, 1).rotation = 3;
  map.build(specs);
  ASSERT_EQ(map.objects().size(), 3u);
  const auto at = [&](int i) {
    const Transform& t = map.objects()[static_cast<std::size_t>(i)].transform;
    return std::tuple(t.position.x, t.position.y, t.rotation.z);
  };
  EXPECT_EQ(std::vector({at(0), at(1), at(2)}), std::vector({std::tuple(-48.f, 0.f, 0.f), std::tuple(0.f, -48.f, 0.f),
                                                             std::tuple(0.f, 0.f, 270.f)}));
  EXPECT_TRUE(map.objects()[0].cull);
}

// The camera looking at (400, 0, 0): an object 256 away (at (144, 0)) is
// still drawn; one at (96, 0), 304 away, is not.
TEST_F(MapDrawTest, ObjectsExactlyAtTheCullingDistanceAreDrawn) {
  const TestServices::Scoped services(TestServices::kRenderer);
  DrawHook::install(&hook);
  Camera& camera = SceneRenderer::instance()->camera();
  camera.reset();
  camera.anchor.setTarget(400.f, 0.f, 0.f);
  camera.anchor.finish();
  SceneRenderer::instance()->beginFrame();
  ASSERT_EQ(camera.target().x * 400.f, 400.f);
  FloorSpecGrid specs = grid(12, 2, pictures.chipAt(0, 0));
  specs.at(9, 1).object = pictures.findObject("o");
  specs.at(8, 1).object = pictures.findObject("o");
  map.build(specs);
  ASSERT_EQ(map.objects().size(), 2u);
  map.draw(0.f);
  EXPECT_EQ(hook.take(), (Strings{"o@144"}));
  DrawHook::install(nullptr);
}

TEST_F(MapDrawTest, TurnedObjectsTakeTheirMaterialAndLitOnesTheLight) {
  fs().put("src/picture/map/object/lamp.txt", "model{name main;" + timed("l") + "}");
  NmlDocument objects;
  objects.loadFromText("lamps.txt",
                       "object{number 2;file lamp;lighting true;materials{name first;ambient 50;}"
                       "materials{name second;}}");
  pictures.readObjects(objects, "lamps.txt");
  const MapObjectPicture& lamp = *pictures.findObject("lamp");
  FloorSpecGrid specs = grid(3, 1, pictures.chipAt(0, 0));
  specs.at(2, 0).lightKind = FloorCellSpec::kSubtractingLight;
  specs.at(2, 0).lightRadius = 96.f;
  map.build(specs);
  map.placeObject(0, 0, lamp, 0);
  map.placeObject(1, 0, lamp, 1);
  map.placeObject(2, 0, lamp, 2);
  map.placeObject(2, 0, lamp, 3);  // more turns than materials: none
  ASSERT_EQ(map.objects().size(), 4u);
  const auto material = [&](int i) {
    const Material* m = map.objects()[static_cast<std::size_t>(i)].material;
    return std::string(m ? m->name() : "none");
  };
  EXPECT_EQ(std::tuple(material(0), material(1), material(2), material(3)),
            std::tuple("none", "first", "second", "none"));
  // Under the subtracting light: dark, but not below the objects' 0.2.
  EXPECT_FLOAT_EQ(map.objects()[2].color.red(), 0.2f);
  // 96 away from it, out of its reach: white.
  EXPECT_FLOAT_EQ(map.objects()[0].color.red(), 1.f);
  map.drawTransformed(RenderState(), 0.f);
  ASSERT_EQ(hook.draws.size(), 4u);
  // Half the light taken 48 away, under the material's half ambient.
  EXPECT_EQ(std::tuple(hook.draws[1].state.colors.ambient.x, hook.draws[2].state.colors.ambient.x,
                       hook.draws[0].state.colors.ambient.x),
            std::tuple(0.5f * 0.5f, 0.2f, 1.f));
}

}  // namespace
}  // namespace Game
