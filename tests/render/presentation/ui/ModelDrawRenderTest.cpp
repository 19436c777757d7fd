// Interface models drawn offscreen from the title's sample data: a model
// drawn front-end stands where the interface space puts it, at its size.

#include "presentation/render/RenderState.h"
#include "presentation/render/Transform.h"
#include "presentation/ui/ModelDraw.h"
#include "render/InterfaceRender.h"

namespace RenderTest {
namespace {

class ModelDrawRender : public InterfaceRender {
 protected:
  void SetUp() override {
    InterfaceRender::SetUp();
    mSet.load("src/picture/title/main.txt");
    waitForTextures(mSet);
  }
  void TearDown() override {
    mSet.clear();
    InterfaceRender::TearDown();
  }
  // Placed and turned as the title's ring places its items: tipped back (rotation x),
  // they stand along z.
  static Game::RenderState placed(float x, float y) {
    Game::RenderState state;
    Game::Transform place;
    place.position.set(x, y, 0.f);
    place.rotation.set(-90.f, 0.f, 0.f);
    state.applyTransform(place);
    return state;
  }

  Game::ResourceSet mSet;
};

TEST_F(ModelDrawRender, AnInterfaceModelStandsWhereItIsPlacedAtItsSize) {
  Game::RenderState state = placed(100.f, 50.f);
  state.frontEnd = true;
  Game::drawModel(mSet.findModel("load"), state, 0.f);
  const Image image = finishFrame();
  // The cube, 40 units across, spins 20 above the place over a label box 96
  // across whose middle lies 30 below it.
  EXPECT_TRUE(colorNear(0xFF80A0FFu, at(image, 100, 50 + 20), 40)) << std::hex << at(image, 100, 50 + 20);
  EXPECT_EQ(at(image, 100 + 30, 50 + 20), kBlack);
  EXPECT_NE(at(image, 100 + 44, 50 - 30), kBlack);
  EXPECT_EQ(at(image, 100 + 52, 50 - 30), kBlack);
  EXPECT_EQ(at(image, 100, 50 + 50), kBlack);
  EXPECT_EQ(at(image, 0, 0), kBlack);
}

}  // namespace
}  // namespace RenderTest
