#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "Engine/Sound/Manager.h"
#include "core/variable/VariableTable.h"
#include "core/sound/SoundEffectList.h"
#include "file/nml/NmlAttribute.h"
#include "file/nml/NmlDocument.h"
#include "presentation/model/Model.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/ResourceTestSupport.h"
#include "presentation/resource/Texture.h"
#include "resource/Database.h"
#include "resource/constance/Constance.h"
#include "tests/core/game/GameFixture.h"
#include "tests/resource/database/LookedUpNames.h"

namespace Game {
namespace {

// The build's copy of the sample data, whole, on the fake file system under
// its Shift-JIS names, with the graphics and sound managers: what the game
// reads at start and on first use.
class SampleDataTest : public ResourceTestSupport::ResourceTest {
 protected:
  void SetUp() override {
    ResourceTest::SetUp();
    Engine::Sound::Manager::create();
    GameTestSupport::putSampleFiles(fs(), "src");
    Constance::create();
    Database::createAndLoad();
  }
  void TearDown() override {
    Database::destroy();
    Constance::destroy();
    Engine::Sound::Manager::destroy();
    ResourceTest::TearDown();
  }

  static Database& database() { return *Database::instance(); }

  // Reads the pictures and waits for their textures, whose faults would show
  // on the debug stream.
  static void touch(PictureList& list) {
    for (OwnedList<Texture>::Iterator it(list.set().textures()); !it.isEnd(); it.next()) {
      it.value()->waitReady();
    }
  }
  static void waitFor(const SoundEffectList& sounds) {
    for (int i = 0; i < 500 && !sounds.allReady(); ++i) {
      usleep(2000);  // the loader job reads the waves meanwhile
    }
    EXPECT_TRUE(sounds.allReady());
  }
};

TEST_F(SampleDataTest, EveryListAndEveryFileItNamesLoadsWithoutAWord) {
  MapTables& maps = database().maps();
  for (int i = 0; i < maps.units.count(); ++i) {
    EXPECT_NE(maps.units.at(i).standMotion(), nullptr) << maps.units.at(i).name();
  }
  for (const char* name : {"Kessa", "宝箱", "扉", "扉大", "スライム"}) {
    SymbolCharaData* chara = database().symbolChara(name);
    ASSERT_NE(chara, nullptr) << name;
    // Every sample symbol shows a figure standing and walking, and stops at
    // walls and other symbols.
    for (const char* motion : {"stand", "walk"}) {
      const Model* model = chara->picture(motion);
      ASSERT_NE(model, nullptr) << name << " " << motion;
      EXPECT_FALSE(model->batches().empty()) << name << " " << motion;
    }
    EXPECT_TRUE(chara->reacts()) << name;
  }
  for (int i = 0; i < maps.mapPictures.objectCount(); ++i) {
    touch(maps.mapPictures.objectAt(i).picture);
  }
  ASSERT_TRUE(maps.mapPictures.findWall("石壁") && maps.mapPictures.chipAt(0, 0));
  touch(*maps.mapPictures.findWall("石壁")->picture);
  touch(*maps.mapPictures.chipAt(0, 0)->picture);
  for (int i = 0; i < database().siteCount(); ++i) {
    if (PictureList* scene = maps.scenePicture(database().siteAt(i)->scene())) {
      touch(*scene);
    }
  }
  BattlePictures& battle = maps.battle;
  for (int i = 0; i < BattlePictures::kListCount; ++i) {
    touch(battle.list(static_cast<BattlePictures::List>(i)));
  }
  EXPECT_NE(battle.stateIcon(StateData("呪力破壊")), nullptr);
  for (int i = 0; i < BattlePictures::kStateSetCount; ++i) {
    touch(battle.stateSetAt(i));
  }
  for (int i = 0; i < BattlePictures::kCommonAnimationCount; ++i) {
    touch(battle.commonAnimationAt(i));
  }
  // Every effect's node of the effect-sound list, read as the factory reads
  // it, in the list's folder.
  const NmlNode& effectSounds = battle.effectSounds();
  const NmlAttribute* folder = effectSounds.findAttribute("folder");
  ASSERT_NE(folder, nullptr);
  SoundEffectList effectWaves;
  for (int i = 0; i < effectSounds.childCount(); ++i) {
    effectWaves.readNode(*effectSounds.child(i), folder->item(0));
  }
  EXPECT_GT(effectWaves.count(), 0);
  EXPECT_NE(battle.battleSounds().find("encounter"), nullptr);
  waitFor(effectWaves);
  waitFor(battle.battleSounds());
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

TEST_F(SampleDataTest, TheCommonEffectListsHoldWhatEffectsTakeAndEveryModelEnds) {
  BattlePictures& battle = database().maps().battle;
  PictureList& particles = *battle.commonAnimation("hitparticle");
  EXPECT_NE(particles.set().getModel(0), nullptr);
  EXPECT_NE(particles.set().getModel(1), nullptr);
  EXPECT_TRUE(battle.commonAnimation("ヒットフラッシュ")->set().findAnimation("main"));
  for (const char* name : {"hit", "土煙", "炎"}) {
    EXPECT_NE(battle.commonAnimation(name)->find("main"), nullptr) << name;
  }
  // A node playing any of them is released once its model has played.
  for (int i = 0; i < BattlePictures::kCommonAnimationCount; ++i) {
    for (OwnedList<Model>::Iterator it(battle.commonAnimationAt(i).set().models()); !it.isEnd(); it.next()) {
      const Model& model = *it.value();
      EXPECT_GT(model.duration(), 0.f) << battle.commonAnimationAt(i).path() << " " << model.name();
      EXPECT_GT(model.cyclesDone(model.duration()), 0) << battle.commonAnimationAt(i).path() << " " << model.name();
    }
  }
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

// The lead-ins' pictures each hold a "main" that ends (the warning's beside
// the state icons), and the dash's copies have their fading.
TEST_F(SampleDataTest, TheLeadInPicturesHoldAMainThatEndsAndTheCopiesTheirFading) {
  BattlePictures& battle = database().maps().battle;
  PictureList* leadIns[] = {battle.stateSet("技"), battle.stateSet("術"), battle.stateSet("スペル"),
                            &battle.list(BattlePictures::kCaution), &battle.list(BattlePictures::kLink)};
  for (PictureList* list : leadIns) {
    const Model* mark = list->find("main");
    ASSERT_NE(mark, nullptr) << list->path();
    EXPECT_GT(mark->duration(), 0.f) << list->path();
    EXPECT_GT(mark->cyclesDone(mark->duration()), 0) << list->path();
  }
  ResourceSet copies;
  copies.load("src/picture/animation/animation/残像.txt");
  EXPECT_TRUE(copies.findAnimation("main"));
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

TEST_F(SampleDataTest, EverySiteHasItsStartScriptAndItsVariables) {
  VariableTable variables;
  variables.loadDeclarations();
  for (int i = 0; i < database().siteCount(); ++i) {
    const MapSiteData& site = *database().siteAt(i);
    // Each start floor runs a "start" script when entered.
    NmlDocument floor;
    const std::string path = std::string("src/data/map/") + site.folder() + "/" + site.startFile() + ".txt";
    floor.load(path.c_str());
    EXPECT_EQ(floor.countChildren("start"), 1) << path;
    for (const char* suffix : {".到達階数", ".出現", ".レベル", ".固定"}) {
      EXPECT_TRUE(variables.hasInteger((std::string(site.name()) + suffix).c_str())) << site.name() << suffix;
    }
  }
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

// The sounds, tunes and models of the names the code looks up
// (LookedUpNames), each in its list, table or picture set.
TEST_F(SampleDataTest, HoldsEverySoundTuneAndModelTheCodeLooksUp) {
  using LookedUpNames::Kind;
  fs().put(LookedUpNames::kTunes, GameTestSupport::sampleFile(LookedUpNames::kTunes));
  NmlDocument tunes;
  tunes.load(LookedUpNames::kTunes);
  MapTables& maps = database().maps();
  LookedUpNames::forEach([&](const LookedUpNames::Name& name) {
    const std::string source(name.source);
    const std::size_t node = source.find('#');
    if (name.kind == Kind::kSound && node != std::string::npos) {
      // A key of one effect's node of the effect-sound list ("list#effect").
      NmlDocument list;
      list.load(source.substr(0, node).c_str());
      const NmlNode* effect = list.findChild(source.substr(node + 1).c_str());
      ASSERT_NE(effect, nullptr) << source;
      EXPECT_NE(effect->findAttribute(name.name), nullptr) << source << ": " << name.name;
    } else if (name.kind == Kind::kSound) {
      SoundEffectList sounds;
      sounds.load(name.source);
      EXPECT_NE(sounds.find(name.name), nullptr) << source << ": " << name.name;
    } else if (name.kind == Kind::kTune) {
      EXPECT_NE(tunes.findChild(name.name), nullptr) << source << ": " << name.name;
    } else if (name.kind == Kind::kModel && source.back() == '/') {
      ASSERT_GT(maps.units.count(), 0);
      for (int i = 0; i < maps.units.count(); ++i) {
        EXPECT_NE(maps.units.at(i).motion(name.name), nullptr) << maps.units.at(i).name() << ": " << name.name;
      }
    } else if (name.kind == Kind::kModel) {
      ResourceSet set;
      set.load(name.source);
      EXPECT_NE(set.findModel(name.name), nullptr) << source << ": " << name.name;
    }
  });
  EXPECT_TRUE(debugLines().empty()) << debugLines().front();
}

}  // namespace
}  // namespace Game
