// Every name of the factory played on the sample data: the four actions,
// casters on both sides, several seeds.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "Platform/TextCodec.h"
#include "core/sound/SoundEffectList.h"
#include "effect/EffectFactory.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "records/database/BattlePictures.h"
#include "tests/effect/EffectTimings.h"
#include "tests/effect/EffectFixture.h"
#include "tests/Await.h"

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

class EffectSweepTest : public EffectTestSupport::FamilySweep, public ::testing::WithParamInterface<SweepCase> {
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

using EffectDataTest = EffectTestSupport::FamilySweep;

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

// Whom the camera follows (C the caster, T the first target, P a point)
// and its zoom when not 1, from the frame on which that changes.
TEST_F(EffectDataTest, EachScriptTurnsTheCameraOnItsFrames) {
  expectCameraTurns({
      // Wards, bells, curses and stopped time.
      {"QuietPaleRadiance", "0:C 64:T"}, {"FloatingBellSplash", ""},       {"FloatingBellWard", "0:C 1.5"},
      {"MindShredShot", "0:P"},          {"HypnoticStareWave", "0:C 32:P"}, {"EclipseSidestep", ""},
      {"EclipseRipple", "0:C"},          {"副作用", "0:P"},                 {"BitterElixir", "0:C 1.25"},
      {"SpinningWoeRing", "32:P"},       {"HexedFigurine", "0:C 32:P"},    {"BlueTormentTide", "0:P"},
      {"ShatteredCharmHex", "32:C 64:P"}, {"RadiantVigorSurge", "0:T"},    {"GlintBladeWard", "0:T 1.5"},
      {"GaleCodexWave", "0:C 84:T"},     {"PrismWhirlpool", "0:P"},        {"HaltedHandsCurse", "0:P"},
      {"TimeHalt", ""},                  {"CarvingBladeStorm", "0:C 1.5 32:T 1.5"},
      // Lances, beams and flights.
      {"TwinRingWhirl", "0:P 32:T"},    {"ForeseeingFiend", "0:P"},          {"LuringBaitStrike", "0:P"},
      {"MarchingHordeRush", "64:P"},    {"FlameBrandSweep", "0:P"},          {"AgelessDuskFangs", "0:C 1.25"},
      {"CrimsonLanceThrow", "0:C 144:P"}, {"BindingChainLash", "0:P"},       {"FallingPrismBeam", "24:C 64:T"},
      {"GreatPrismBeam", "0:C 32:P 64:T"}, {"OrbitingStarlets", "0:C 32:P"}, {"BlazingSkyPlunge", "0:P 32:T"},
      {"CoreMeltdownBurst", "0:C 1.5 48:P"}, {"CinderConstellation", "0:T 1.5"}, {"SearingGlare", "0:C 32:P"},
      {"EruptingPeak", "0:T"},          {"AshenReturn", "0:P 1.5"},          {"WailingPulse", "0:C 1.25 64:P"},
      {"FlameWingAscent", "0:C 1.25 64:P"}, {"ElementalCrystalRing", "0:C 1.5"},
      // Swarms, volleys and pillars.
      {"HauntedHamlet", "0:P"},   {"GrudgeWraithFeast", "0:P"},  {"TorrentCascade", "0:P"},   {"GoldenSunburst", "0:P"},
      {"IcePillarRise", "0:P"},   {"DarkTwinBeams", "16:P"},     {"ShaftVolley", "0:P"},      {"VioletGlassOmen", "0:T 1.5"},
      {"DrowningSwirl", "0:P"},   {"FlawedHelixSpiral", "0:P"},  {"BuriedEmberTrap", "32:P"}, {"PlagueFogCloud", "0:P"},
      {"SerpentIdolCurse", "0:C 64:P"}, {"VerdantRockCrush", "0:P"}, {"FrozenLakeRidge", "0:P"}, {"FallingPillarStorm", "0:T"},
      {"FallingFishShower", ""},  {"WanderersVolley", "0:P"},    {"VerdictPillar", "0:P 64:T"}, {"TenfoldTribunal", "0:T"},
      {"SlumberCapsuleMist", "0:P"}, {"SaucerRaid", "0:P 96:T"}, {"PlanetaryBarrage", "0:P 5 96:T"},
      // Blows, throws and cuts.
      {"撃剣", "0:C 1.5 64:C 80:T"}, {"クロススプリット", "48:T"}, {"投げる", "0:C 1.25 32:P 1.25"},
      {"ビームソード", "0:C 48:C 1.25 64:T 1.25"}, {"真空飛びヒザ", "32:T"}, {"ジャンピングフラッシュ", "60:T"},
      // Reactions, system actions and buffs.
      {"呼び出す", "0:C 1.25"}, {"回復アイテム", "0:T"}, {"スポイル", "64:C 1.5"}, {"祟り", "48:T"},
      {"ポイゾナスカウンター", "48:T"}, {"冷凍法", "48:T"}, {"サーマルカウンター", "48:T"}, {"サーマルバリア", "16:P"},
      {"ダブルキャスト", "0:T 1.5"}, {"攻撃補助", "0:P"}, {"バリア展開", "0:P"}, {"幻影", "0:P"}, {"恵雨", "0:T"},
      {"トランス", "0:T 1.5"}, {"決闘歌", "0:P"}, {"護身法", "0:T"}, {"エンハンス", "0:T"},
      {"ハイスピードチャージ", "0:P"}, {"リフレッシュ", "0:P"}, {"マジカルヒール", "0:T 1.5"}, {"dummy", "0:P"},
      // An eye.
      {"眠たい視線", "0:P"},
  });
  // The rain, the duel song and the guard alone of the buffs tilt the
  // camera down 30 degrees as they start.
  for (const auto& [name, tilts] : {std::pair{"恵雨", 1}, {"決闘歌", 1}, {"護身法", 1}, {"トランス", 0}, {"エンハンス", 0}}) {
    stage.calls.clear();
    step(*makeEffect(name, *standardActions(0)[0]));
    EXPECT_EQ(stage.count("pitch 30"), tilts) << name;
  }
}

// Every model of the bank's files, the overlays' sets and the eyes' set
// ends, and every overlay set holds "main".
TEST_F(EffectDataTest, EveryBankModelEndsAndEveryOverlayHasMain) {
  const std::filesystem::path game(MARROWDEEP_GAME_DIR);
  int files = 0;
  for (const char* folder : {"src/picture/animation/bank", "src/picture/animation/animation"}) {
    for (const auto& entry : std::filesystem::directory_iterator(game / folder)) {
      const std::string name = entry.path().filename().generic_string();
      const std::string path = std::string(folder) + "/" + Platform::utf8ToSjis(name);
      Game::ResourceSet set;
      set.load(path.c_str());
      const bool overlay = std::string(folder).ends_with("animation/animation");
      if (overlay && name != "残像.txt") {
        EXPECT_TRUE(set.findAnimation("main")) << name;
      }
      for (Game::OwnedList<Game::Model>::Iterator it(set.models()); !it.isEnd(); it.next()) {
        const Game::Model& model = *it.value();
        EXPECT_GT(model.cyclesDone(model.duration()), 0) << name << " " << model.name();
      }
      ++files;
    }
  }
  EXPECT_GE(files, 52 + 14);
  for (const std::string& line : debugLines()) {
    ADD_FAILURE() << line;
  }
}

// The fang's and the large explosion's lists hold entry 0 with its wave;
// the battle's list holds the revival's sound.
TEST_F(EffectDataTest, ThePiecesSoundListsLoadTheirWaves) {
  EXPECT_NE(Game::Database::instance()->maps().battle.battleSounds().find("リヴァイヴァ"), nullptr);
  for (const char* path : {"src/sound/牙.txt", "src/sound/爆発大.txt"}) {
    Game::SoundEffectList sounds;
    sounds.load(path);
    ASSERT_EQ(sounds.count(), 1) << path;
    EXPECT_TRUE(TestAwait::awaitTrue([&] { return sounds.allReady(); }));  // the loader job reads the wave
    EXPECT_TRUE(sounds.at(0)->wave());
  }
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

}  // namespace
