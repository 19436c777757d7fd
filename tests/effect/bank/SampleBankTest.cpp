// Every piece built on the sample data: each finds what it asks for, every
// model it plays ends, and the two piece sound lists load their waves.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Engine/Sound/Manager.h"
#include "core/random/RandomGenerator.h"
#include "core/sound/SoundEffectList.h"
#include "data/Unit.h"
#include "effect/bank/AnimationLauncher.h"
#include "effect/bank/Auras.h"
#include "effect/bank/Barrier.h"
#include "effect/bank/Beat.h"
#include "effect/bank/Emitter.h"
#include "effect/bank/Explode.h"
#include "effect/bank/ExplodeL.h"
#include "effect/bank/Hits.h"
#include "effect/bank/Holder.h"
#include "effect/bank/Icicle.h"
#include "effect/bank/ParticleBase.h"
#include "effect/bank/Rays.h"
#include "effect/bank/ReviveEmitter.h"
#include "effect/bank/Sprite.h"
#include "effect/bank/Thunderbolt.h"
#include "effect/bank/Waves.h"
#include "presentation/model/Model.h"
#include "presentation/render/Color.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "resource/Database.h"
#include "resource/database/BattlePictures.h"
#include "resource/constance/Constance.h"
#include "tests/core/game/GameFixture.h"
#include "tests/data/unit/FakeBattleServices.h"
#include "tests/data/unit/TestGhost.h"
#include "tests/effect/RecordingStage.h"

namespace {

using Engine::Math::Vector3;
namespace Bank = Game::Effect::Bank;
using Kind = Game::Effect::ActionRecord::ResultKind;

class SampleBankTest : public ResourceTestSupport::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    Engine::Sound::Manager::create();
    GameTestSupport::putSampleFiles(fs(), "src");
    Game::Constance::create();
    Game::Database::createAndLoad();
    Game::RandomGenerator::create();
    Game::RandomGenerator::instance()->setSeed(51);
    battle.pool = &stage.pool;
    Bank::reportTo(&stage);
  }
  void TearDown() override {
    Bank::reportTo(nullptr);
    units.clear();
    stage.pool.releaseAll();
    Game::RandomGenerator::destroy();
    Game::Database::destroy();
    Game::Constance::destroy();
    Engine::Sound::Manager::destroy();
    ResourceTest::TearDown();
  }

  Game::Unit& unit(int side, int row, int column, const char* appearance) {
    ghosts.push_back(std::make_unique<UnitTestSupport::TestGhost>());
    ghosts.back()->enemy = side == 1;
    ghosts.back()->appearance = appearance;
    units.push_back(std::make_unique<Game::Unit>(*ghosts.back(), &battle));
    battle.units.push_back(units.back().get());
    units.back()->placeAt(row, column);
    return *units.back();
  }

  // The models of nodes in use, but lights'.
  int modelLessNodes() {
    int count = 0;
    for (int i = 0; i < stage.pool.capacity(); ++i) {
      const Game::SceneNode& node = stage.pool.node(i);
      count += node.isActive() && !node.hasLight() && !node.getModel() ? 1 : 0;
    }
    return count;
  }

  EffectTestSupport::RecordingStage stage;
  BattleTestSupport::FakeBattleServices battle;
  std::vector<std::unique_ptr<UnitTestSupport::TestGhost>> ghosts;
  std::vector<std::unique_ptr<Game::Unit>> units;
};

// Each of the 79 pieces launched its ways on two units: nothing missing.
TEST_F(SampleBankTest, EveryPieceFindsWhatItAsksFor) {
  Game::Unit& caster = unit(0, 1, 2, "Kessa");
  Game::Unit& target = unit(1, 1, 2, "泥スライム");
  EffectTestSupport::RecordingAction action(stage, caster, Game::Ability());
  action.add(target, Kind::kDamage);
  Game::SceneNodePool& pool = stage.pool;
  const Vector3 p(0.f, 0.f, 0.f);
  const Vector3 q(100.f, 50.f, 80.f);

  Bank::Stagger stagger;
  Bank::Shake shake;
  Bank::Shock shock;
  Bank::EmissionRed emissionRed;
  Bank::EmissionCyan emissionCyan;
  Bank::EmissionYellow emissionYellow;
  Bank::Flash flash;
  Bank::Poison poison;
  Bank::Curse curse;
  Bank::Heal heal;
  Bank::ChargeSP chargeSP;
  Bank::Cinders cinders;
  Bank::Prism prism;
  Bank::Pakapaka pakapaka;
  for (const Bank::AnimationLauncher* overlay :
       std::initializer_list<const Bank::AnimationLauncher*>{&stagger, &shake, &shock, &emissionRed, &emissionCyan,
                                                             &emissionYellow, &flash, &poison, &curse, &heal,
                                                             &chargeSP, &cinders, &prism, &pakapaka}) {
    overlay->launchOnTargets(action);
    overlay->overlayOn(caster);
  }
  Bank::EmissionPair pair;
  pair.launchOnTargets(action);
  EXPECT_EQ(target.node()->overlays().size(), 16u);

  Bank::Particle particle;
  Bank::ParticleBlue particleBlue;
  Bank::ParticlePrism particlePrism;
  Bank::ElectroParticle electro;
  Bank::WaterSplash water;
  Bank::Sparks sparks;
  Bank::Burned burned;
  Bank::Blood blood;
  Bank::Cold cold;
  Bank::RingParticle ringParticle;
  Bank::ChargeParticle chargeParticle;
  Bank::Star star;
  for (const Bank::ParticleBase* particles : std::initializer_list<const Bank::ParticleBase*>{
           &particle, &particleBlue, &particlePrism, &electro, &water, &sparks, &burned, &blood, &cold, &ringParticle,
           &chargeParticle, &star}) {
    particles->twinkle(pool, p);
    pool.releaseAll();
  }
  cold.chillTargets(action);
  blood.splatterTargets(action);
  burned.smokeTargets(action);
  chargeParticle.gather(pool, p, q, 30.f);
  ringParticle.flatRing(pool, p, q);
  pool.releaseAll();

  Bank::ExplodeRed explodeRed;
  Bank::ExplodeEmerald explodeEmerald;
  Bank::ExplodeSphere explodeSphere;
  Bank::ExplodeSphere2 explodeSphere2;
  for (const Bank::Explode* blast :
       std::initializer_list<const Bank::Explode*>{&explodeRed, &explodeEmerald, &explodeSphere, &explodeSphere2}) {
    blast->launch(pool, p, 64.f, 0.f);
  }
  Bank::RingA ringA;
  Bank::MultiRing multiRing;
  ringA.launch(pool, p);
  multiRing.launch(pool, p);
  Bank::ShockWave shockWave;
  Bank::ShockWaveL shockWaveL;
  shockWave.launchAtFront(target);
  shockWaveL.launch(pool, p);
  Bank::GroundEmissionBlue groundBlue;
  Bank::GroundHeat groundHeat;
  groundBlue.launch(pool, p, 256.f, 8);
  groundHeat.launch(pool, p, 256.f, 8);
  Bank::Beat1 beat1;
  Bank::Beat2 beat2;
  Bank::Beat3 beat3;
  beat1.launchAt(target);
  beat2.launchAt(target);
  beat3.launchAt(target);
  Bank::Blade blade;
  blade.launchBetween(caster, target);
  Bank::Knife knife;
  Bank::RedCut redCut;
  knife.launchBetween(caster, target);
  redCut.launchBetween(caster, target);
  pool.releaseAll();
  caster.show(Game::UnitPose::kStand);
  target.show(Game::UnitPose::kStand);

  Bank::HitCircleL hitCircle;
  hitCircle.spawnOnTargets(action);
  Bank::WaveHit waveHit;
  waveHit.spawnOnTargets(action, 4.f);
  Bank::Suction suction;
  suction.launchAt(target);
  Bank::Beam beam;
  beam.launch(pool, p, q);
  Bank::RainbowWave rainbow;
  rainbow.launch(pool, p, Game::Color(), 128.f);
  Bank::FirePillar pillar;
  pillar.launch(pool, p);
  Bank::Fang fang;
  fang.launch(caster, target);
  Bank::ExplodeL explodeL;
  explodeL.launchAtFront(target);
  pool.releaseAll();
  caster.show(Game::UnitPose::kStand);
  target.show(Game::UnitPose::kStand);
  Bank::Barrier barrier;
  barrier.launchAt(caster, 0xff80c0ffu);
  Bank::SpeedLines lines;
  lines.radiate(pool, 20);
  Bank::SlashHit2 slashHit2;
  slashHit2.launchOnTargets(action);
  Bank::SlashHit slashHit;
  slashHit.launchOnTargets(action);
  Bank::MagicExplode magic;
  magic.launchOnTargets(action);
  Bank::Ripple ripple;
  ripple.launch(pool, p, 256.f);
  Bank::RisingParticle rising;
  rising.launchOnTargets(action, 4);
  Bank::Icicle icicle;
  icicle.field(pool, p, 128.f, 64.f, 3);
  Bank::Dizzy dizzy;
  dizzy.launchOnTargets(action);
  Bank::ShotHit shotHit;
  shotHit.spawnOnTargets(action);
  Bank::ExplodeS explodeS;
  explodeS.burstOnTargets(action, 0.f);
  Bank::CrossLightS crossLight;
  crossLight.launchOn(target);
  Bank::SpinCharge spin;
  spin.launchOn(caster);
  Bank::ChargeAura aura;
  aura.launchOn(caster);
  Bank::Glow glow;
  glow.launchOn(caster);
  pool.releaseAll();
  caster.show(Game::UnitPose::kStand);
  target.show(Game::UnitPose::kStand);
  Bank::Thunderbolt thunderbolt;
  thunderbolt.launch(pool, p);
  Bank::Holder holder("src/picture/animation/視線睡眠.txt");
  holder.converge(caster, target);
  Bank::Emitter emitter;
  emitter.flameBurst(pool, p, 0);
  emitter.dustRingAtFront(target);
  pool.releaseAll();
  caster.show(Game::UnitPose::kStand);
  Bank::ReviveEmitter revive;
  revive.launchOn(stage, caster);

  EXPECT_TRUE(stage.failures.empty()) << stage.failures.front();
  EXPECT_EQ(modelLessNodes(), 0);
  EXPECT_EQ(stage.sounds.size(), 2u);
  for (const auto& sound : stage.sounds) {
    EXPECT_EQ(sound.index, 0) << sound.key;
  }
}

// Every model of the bank's files, the overlays' sets and the eyes' set
// ends, and every overlay set holds "main".
TEST_F(SampleBankTest, EveryBankModelEndsAndEveryOverlayHasMain) {
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
TEST_F(SampleBankTest, ThePiecesSoundListsLoadTheirWaves) {
  EXPECT_NE(Game::Database::instance()->maps().battle.battleSounds().find("リヴァイヴァ"), nullptr);
  for (const char* path : {"src/sound/牙.txt", "src/sound/爆発大.txt"}) {
    Game::SoundEffectList sounds;
    sounds.load(path);
    ASSERT_EQ(sounds.count(), 1) << path;
    for (int i = 0; i < 500 && !sounds.allReady(); ++i) {
      usleep(2000);  // the loader job reads the wave meanwhile
    }
    EXPECT_TRUE(sounds.allReady());
    EXPECT_TRUE(sounds.at(0)->wave());
  }
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

}  // namespace
