// A boss's appearance as the draw hook records it: its model and the boss's
// face posed twice, at the appearance's own frame, for 31 frames.

#include "field/BossAppearance.h"

#include <gtest/gtest.h>

#include <string>

#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/FaceSet.h"

namespace {

using Engine::i32;

// The model "main" moves its batch one unit along x a frame, the faces'
// poses one and two units.
class BossAppearanceTest : public ModelTestSupport::ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    fs().put(Game::Field::BossAppearance::kPictures,
             "model{name main;time 1000;" + timed("band") + "}"
             "animation{name face1;position{x{{value 0;delay 1000;}{value 1000;}}}}"
             "animation{name face2;position{x{{value 0;delay 1000;}{value 2000;}}}}");
    fs().put("src/face/batch.txt", "batch{name main;rect 0,0,2,2;}");
    putImage("src/face/boss.tga", 4, 4);
    Game::FaceSet::createWithoutFiles();
    Game::FaceSet::instance()->batches().load("src/face/batch.txt");
    boss = Game::FaceSet::instance()->add("ボス", "src/face/boss", "ボス");
  }
  void TearDown() override {
    Game::FaceSet::destroy();
    ModelTest::TearDown();
  }

  const Game::Face* boss = nullptr;
};

TEST_F(BossAppearanceTest, ThirtyOneFramesOfTheModelAndTheFacePosedTwice) {
  for (const bool withFace : {true, false}) {
    Game::Field::BossAppearance appearance(withFace ? boss : nullptr);
    for (i32 frame = 0; frame <= 30; ++frame) {
      EXPECT_EQ(appearance.update(), frame == 30) << frame;
      const std::string f = std::to_string(frame);
      const std::vector<std::string> expected =
          withFace ? std::vector<std::string>{"band@" + f, "main@" + f, "main@" + std::to_string(2 * frame)}
                   : std::vector<std::string>{"band@" + f};
      EXPECT_EQ(hook.take(), expected) << frame;
    }
  }
}

}  // namespace
