// A boss's appearance as the draw hook records it, for 31 frames: the model
// "main" moves its batch a unit a frame, the face's two poses one and two.

#include "field/BossAppearance.h"

#include <gtest/gtest.h>

#include "presentation/model/ModelTestSupport.h"
#include "presentation/picture/FaceSet.h"

namespace {

using BossAppearanceTest = ModelTestSupport::ModelTest;

TEST_F(BossAppearanceTest, ThirtyOneFramesOfTheModelAndTheFacePosedTwice) {
  fs().put(Game::Field::BossAppearance::kPictures,
           "model{name main;time 1000;" + timed("band") + "}animation{name face1;position{x{{value 0;delay 1000;}" +
               "{value 1000;}}}}animation{name face2;position{x{{value 0;delay 1000;}{value 2000;}}}}");
  fs().put("src/face/batch.txt", "batch{name main;rect 0,0,2,2;}");
  putImage("src/face/boss.tga", 4, 4);
  Game::FaceSet::createWithoutFiles();
  Game::FaceSet::instance()->batches().load("src/face/batch.txt");
  const Game::Face* boss = Game::FaceSet::instance()->add("ボス", "src/face/boss", "ボス");
  for (const Game::Face* face : {boss, static_cast<const Game::Face*>(nullptr)}) {
    Game::Field::BossAppearance appearance(face);
    for (int frame = 0; frame <= 30; ++frame) {
      EXPECT_EQ(appearance.update(), frame == 30) << frame;
      const std::string f = std::to_string(frame);
      const std::vector<std::string> faces{"main@" + f, "main@" + std::to_string(2 * frame)};
      std::vector<std::string> expected{"band@" + f};
      if (face) expected.insert(expected.end(), faces.begin(), faces.end());
      EXPECT_EQ(hook.take(), expected);
    }
  }
  Game::FaceSet::destroy();
}

}  // namespace
