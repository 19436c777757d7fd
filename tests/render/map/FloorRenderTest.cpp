// A small test floor built through the floor-build queue from the sample
// chip and wall pictures, drawn offscreen and compared with its golden image
// (tests/render/map/floor_golden.tga); the frame is kept as an artefact.
// MARROWDEEP_UPDATE_GOLDEN=1 writes a new golden image in place instead.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Engine/Graphics/ImageFile.h"
#include "core/map/MapBuildQueue.h"
#include "file/nml/NmlDocument.h"
#include "map/Map.h"
#include "render/InterfaceRender.h"
#include "resource/database/MapPictureSet.h"

namespace RenderTest {
namespace {

using Engine::Math::Vector3;

constexpr i32 kWidth = 192;
constexpr i32 kHeight = 144;
const std::filesystem::path kGolden = std::filesystem::path(MARROWDEEP_SOURCE_DIR) / "tests/render/map/floor_golden.tga";

class FloorRender : public InterfaceRender {
 protected:
  FloorRender() : InterfaceRender(kWidth, kHeight) {}
  void SetUp() override {
    InterfaceRender::SetUp();
    Game::MapBuildQueue::create();
    Game::NmlDocument tiles;
    tiles.loadFromText("test tiles",
                       "wall{name stone;file stone;bottom 0xff282828;}"
                       "chip{x 0;y 0;file stone;}"
                       "chip{x 1;y 0;file stone;wall stone;section;}"
                       "chip{x 0;y 1;file water;water;}"
                       "chip{x 1;y 1;file stone;wall stone;cylinder;}");
    pictures.readTiles(tiles, "test tiles");
  }
  void TearDown() override {
    map.reset();
    pictures.release();
    Game::MapBuildQueue::destroy();
    InterfaceRender::TearDown();
  }

  // 6 x 6: a wall ring 4 high round a floor with a ramp up toward +x, a pit,
  // a water cell, a pillar 3 high and a light by the +x wall.
  Game::FloorSpecGrid floor() const {
    Game::FloorSpecGrid specs;
    specs.name = "test floor";
    specs.resize(6, 6);
    for (i32 x = 0; x < 6; ++x) {
      for (i32 y = 0; y < 6; ++y) {
        Game::FloorCellSpec& spec = specs.at(x, y);
        const bool ring = x == 0 || y == 0 || x == 5 || y == 5;
        spec.chip = pictures.chipAt(ring ? 1 : 0, 0);
        spec.height = ring ? 4 : 0;
      }
    }
    specs.at(4, 2).slope = 1;
    specs.at(2, 3).pit = true;
    specs.at(1, 4).chip = pictures.chipAt(0, 1);
    specs.at(2, 1).chip = pictures.chipAt(1, 1);
    specs.at(2, 1).height = 3;
    specs.at(4, 3).lightKind = Game::FloorCellSpec::kAddingLight;
    specs.at(4, 3).lightRadius = 96.f;
    specs.at(4, 3).lightParameter = 0.5f;
    return specs;
  }

  // The pixel a world point projects to (y down from the top).
  u32 probe(const Image& image, const Vector3& world) const {
    Vector3 screen;
    renderer().project(&screen, world);
    const auto x = static_cast<u32>((screen.x + 400.f) * kWidth / 800.f);
    const auto y = static_cast<u32>((300.f - screen.y) * kHeight / 600.f);
    return image.at(x, y);
  }
  static int brightness(u32 pixel) { return ((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF); }

  Game::MapPictureSet pictures;
  Game::Map map{pictures};
};

Image readGolden() {
  std::ifstream in(kGolden, std::ios::binary);
  const std::vector<Engine::u8> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Engine::Graphics::ImageReadResult read = Engine::Graphics::readTga("floor_golden.tga", bytes.data(), bytes.size());
  Image image;
  if (read.ok()) {
    image.width = static_cast<u32>(read.image.width);
    image.height = static_cast<u32>(read.image.height);
    image.pixels = read.image.pixels;
  }
  return image;
}

void writeGolden(const Image& image) {
  const auto width = static_cast<Engine::i32>(image.width);
  const std::vector<Engine::u8> file = Engine::Graphics::writeTga(
      {image.pixels.data(), width, static_cast<Engine::i32>(image.height), width * 4}, false);
  std::ofstream out(kGolden, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
}

// Pixels further than the tolerance from the golden image's.
int differingPixels(const Image& image, const Image& golden, int tolerance) {
  int count = 0;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      const int a = static_cast<int>((image.pixels[i] >> shift) & 0xFF);
      const int b = static_cast<int>((golden.pixels[i] >> shift) & 0xFF);
      if (std::abs(a - b) > tolerance) {
        ++count;
        break;
      }
    }
  }
  return count;
}

TEST_F(FloorRender, TheTestFloorMatchesItsGoldenImage) {
  map.build(floor());
  int steps = 0;
  while (Game::MapBuildQueue::instance()->contains(&map)) {
    Game::MapBuildQueue::instance()->update();
    ++steps;
  }
  // Floor, ring, water and pillar tops; then the one wall's sides.
  EXPECT_EQ(steps, 5);
  EXPECT_EQ(map.meshes().size(), 5u);

  Game::Camera& camera = renderer().camera();
  camera.reset();
  camera.setPitch(60.f);
  camera.setHeading(0.f);
  camera.setZoom(1.3f);
  for (Game::Tween* tween : {&camera.zoom, &camera.heading, &camera.pitch}) {
    tween->finish();
  }
  nextFrame();
  map.draw(0.f);
  const Image image = finishFrame();
  keep(image, "floor_test_map.tga");
  if (std::getenv("MARROWDEEP_UPDATE_GOLDEN")) {
    writeGolden(image);
  }

  const Image golden = readGolden();
  ASSERT_EQ(std::tuple(golden.width, golden.height), std::tuple(image.width, image.height)) << kGolden;
  EXPECT_LE(differingPixels(image, golden, 8), static_cast<int>(image.pixels.size() / 100));

  // The pit is a hole to the black beyond; the floor beside it is not.
  const Vector3 pitCentre = map.cellAt(2, 3)->centre();
  EXPECT_LT(brightness(probe(image, pitCentre)), 0x30);
  EXPECT_GT(brightness(probe(image, map.cellAt(3, 3)->centre())), 0x60);
  // The light makes its cell brighter than the far corner of the floor.
  EXPECT_GT(brightness(probe(image, map.cellAt(4, 3)->centre())),
            brightness(probe(image, map.cellAt(1, 1)->centre())) + 0x60);
  // The ring's inner side by the light (x 72, facing −x) is drawn and lit.
  EXPECT_GT(brightness(probe(image, Vector3(72.f, 0.f, 20.f))), 0x60);
}

}  // namespace
}  // namespace RenderTest
