// Every name of the factory played on the sample data: the four actions,
// casters on both sides, several seeds.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Platform/TextCodec.h"
#include "effect/EffectFactory.h"
#include "presentation/resource/ResourceSet.h"
#include "tests/effect/EffectTimings.h"
#include "tests/effect/NamedScriptTest.h"

namespace {

using EffectTestSupport::kEffectTimings;

// The longest end frame is 313; every tick must answer 2 well before this.
constexpr int kTickEndCap = 400;
constexpr int kSlices = 6;

// One seed and one sixth of the names, so that each case stays short.
struct SweepCase {
  unsigned seed;
  int slice;
};

class EffectSweepTest : public EffectTestSupport::NamedScriptTest, public ::testing::WithParamInterface<SweepCase> {
 protected:
  std::vector<const char*> sliceNames() const {
    std::vector<const char*> names;
    for (std::size_t i = GetParam().slice; i < kEffectTimings.size(); i += kSlices) {
      names.push_back(kEffectTimings[i].name);
    }
    return names;
  }
};

TEST_P(EffectSweepTest, EveryNameBuildsItsClassAndPlaysToItsTimings) {
  Game::RandomGenerator::instance()->setSeed(GetParam().seed);
  const std::vector<const char*> names = sliceNames();
  for (const char* name : names) {
    const Game::Effect::FactoryRow* row = Game::Effect::findFactoryRow(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_TRUE(wavesLoaded(*Cast::create(name))) << row->className;
  }
  sweep(names, kTickEndCap);
  for (const std::string& line : debugLines()) {
    ADD_FAILURE() << line;
  }
}

std::vector<SweepCase> sweepCases() {
  std::vector<SweepCase> cases;
  for (unsigned seed : {1u, 57u, 40213u}) {
    for (int slice = 0; slice < kSlices; ++slice) {
      cases.push_back({seed, slice});
    }
  }
  return cases;
}

std::string caseName(const ::testing::TestParamInfo<SweepCase>& param) {
  return "seed" + std::to_string(param.param.seed) + "_part" + std::to_string(param.param.slice);
}

INSTANTIATE_TEST_SUITE_P(AllNames, EffectSweepTest, ::testing::ValuesIn(sweepCases()), caseName);

using EffectDataTest = EffectTestSupport::NamedScriptTest;

const char* nameOfClass(const char* className) {
  for (const EffectTestSupport::EffectTiming& row : kEffectTimings) {
    if (std::string(row.className) == className) {
      return row.name;
    }
  }
  return nullptr;
}

// The busiest effects with three targets, on an empty pool and on one whose
// first 1000 slots hold other nodes: they end in time, and every node of
// those other owners is still theirs at the end (at most the last slot, the
// one a full pool gives up, may change hands).
TEST_F(EffectDataTest, TheBusiestEffectsStayInThePoolAndLeaveOtherNodesAlone) {
  constexpr int kStrangers = 1000;
  EffectTestSupport::RecordingAction& action = *standardActions(0)[2];
  for (const char* className : {"HeavenlyMistColumn", "QuietPaleRadiance", "FallingFishShower", "Vine"}) {
    for (int strangers : {0, kStrangers}) {
      stage.pool.releaseAll();
      std::vector<Engine::u32> ids;
      for (int i = 0; i < strangers; ++i) {
        ids.push_back(stage.pool.create(nullptr)->getId());
      }
      auto effect = makeEffect(nameOfClass(className), action);
      ASSERT_NE(effect, nullptr) << className;
      const EffectTestSupport::PlayRecord record = play(*effect, action);
      const std::string where = std::string(className) + " after " + std::to_string(strangers);
      EXPECT_GE(record.tickEndedOn, 0) << where;
      EXPECT_LT(stage.pool.highestUsed(), stage.pool.capacity()) << where;
      int kept = 0;
      for (int i = 0; i < strangers; ++i) {
        kept += stage.pool.node(i).isActive() && stage.pool.node(i).getId() == ids[static_cast<std::size_t>(i)] ? 1 : 0;
      }
      EXPECT_EQ(kept, strangers) << where;
    }
  }
}

// The effects' own set files and the unit pictures the swarms borrow load
// without a word; the bank's, the overlays' and the common lists' files have
// their own checks beside the bank and the databases.
TEST_F(EffectDataTest, EveryEffectSetAndBorrowedUnitPictureLoadsCleanly) {
  const char* folder = "src/picture/animation";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(MARROWDEEP_GAME_DIR) / folder)) {
    if (entry.is_regular_file()) {
      Game::ResourceSet set;
      set.load((std::string(folder) + "/" + Platform::utf8ToSjis(entry.path().filename().generic_string())).c_str());
      EXPECT_GT(set.models().count(), 0) << entry.path().filename();
      ++files;
    }
  }
  EXPECT_EQ(files, 150);
  for (const char* picture : {"Gravewisp", "Glimmerdisc", "Mimbrelle"}) {
    Game::UnitPictureData* data = Game::Database::instance()->findUnitPicture(picture);
    ASSERT_NE(data, nullptr) << picture;
    EXPECT_NE(data->standMotion(), nullptr) << picture;
  }
  for (const std::string& line : debugLines()) {
    ADD_FAILURE() << line;
  }
}

}  // namespace
