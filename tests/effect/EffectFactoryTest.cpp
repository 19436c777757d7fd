#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "effect/Cast.h"
#include "effect/Dummy.h"
#include "effect/EffectFactory.h"
#include "core/file/nml/NmlDocument.h"
#include "presentation/scene/SceneNode.h"
#include "tests/effect/EffectFixture.h"
#include "tests/effect/EffectTimings.h"

namespace {

using namespace EffectTestSupport;

using Game::Effect::Cast;

class EffectFactoryTest : public EffectTestSupport::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    mList.loadFromText("src/sound/list.txt", R"(
folder se;
none{ main n; }
dummy{ hit d1; main d0; }
眠たい視線{ main eye1; }
危ない視線{ main eye2; }
イレーザーサイト{ main eye3; inner{ deep eye4; } }
)");
  }
  void TearDown() override {
    mEffects.clear();
    EffectTest::TearDown();
  }

  Cast* create(const char* name) {
    mEffects.push_back(Cast::create(name, &mList));
    return mEffects.back().get();
  }
  static std::vector<std::string> keys(const Cast& effect) {
    std::vector<std::string> out;
    for (int i = 0; i < effect.sounds().count(); ++i) {
      out.emplace_back(effect.sounds().at(i)->name().c_str());
    }
    return out;
  }

  Game::NmlDocument mList;
  std::vector<std::unique_ptr<Cast>> mEffects;
};

TEST_F(EffectFactoryTest, NoneAndNamesNoRowHoldsGiveNoEffect) {
  for (const char* name : {"none", "", "None", "none ", "NONE", "dummy ", "Dummy", "レーザ"}) {
    EXPECT_EQ(create(name), nullptr) << name;
    EXPECT_EQ(Game::Effect::findFactoryRow(name), nullptr) << name;
  }
  EXPECT_EQ(create(nullptr), nullptr);
  EXPECT_TRUE(stage.sounds.empty());
  EXPECT_TRUE(stage.failures.empty());
}

TEST_F(EffectFactoryTest, TheTableHoldsTheNamesInOrderWithTheirClasses) {
  const auto rows = Game::Effect::factoryRows();
  ASSERT_EQ(rows.size(), kEffectTimings.size());
  std::set<std::string> names;
  std::set<std::string> classes;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_STREQ(rows[i].name, kEffectTimings[i].name) << "row " << i + 1;
    EXPECT_STREQ(rows[i].className, kEffectTimings[i].className) << "row " << i + 1;
    names.insert(rows[i].name);
    classes.insert(rows[i].className);
    EXPECT_EQ(Game::Effect::findFactoryRow(rows[i].name), &rows[i]);
  }
  EXPECT_EQ(names.size(), 204u);
  EXPECT_EQ(classes.size(), 201u);
  EXPECT_STREQ(rows.front().name, "呼び出す");
  EXPECT_STREQ(rows.back().name, "dummy");
}

TEST_F(EffectFactoryTest, EachNameReadsTheSoundsOfItsOwnNode) {
  Cast* first = create("眠たい視線");
  Cast* second = create("危ない視線");
  Cast* third = create("イレーザーサイト");
  EXPECT_NE(first, second);
  // An eye's own "main" comes before its node's entries; a nested node is
  // read first, in a folder of its own.
  EXPECT_EQ(keys(*first), (std::vector<std::string>{"main", "main"}));
  EXPECT_EQ(keys(*second), (std::vector<std::string>{"main", "main"}));
  EXPECT_EQ(keys(*third), (std::vector<std::string>{"main", "deep", "main"}));
  EXPECT_EQ(keys(*create("dummy")), (std::vector<std::string>{"hit", "main"}));
  EXPECT_TRUE(keys(*create("キック")).empty());
  EXPECT_TRUE(keys(*Cast::create("dummy", nullptr)).empty());  // without a list
}

// An effect that adds a sound in its constructor, as many classes do.
class SoundedCast : public Game::Effect::Dummy {
 public:
  SoundedCast() { addSound("main", "bom05"); }
};

TEST_F(EffectFactoryTest, ConstructorSoundsComeBeforeTheListsAndTakeItsFolder) {
  SoundedCast effect;
  effect.loadSounds(&mList, "dummy");
  EXPECT_EQ(keys(effect), (std::vector<std::string>{"main", "hit", "main"}));
}

TEST_F(EffectFactoryTest, TheFactoryBindsTheEffectOfTheActionsArt) {
  std::vector<EffectTestSupport::RecordingAction*> actions = standardActions(0);
  std::unique_ptr<Cast> effect = Cast::createForAction(*actions[0], &mList);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->action(), actions[0]);
  EXPECT_EQ(effect->caster(), &actions[0]->actor());
  EXPECT_EQ(keys(*effect), (std::vector<std::string>{"hit", "main"}));
  EffectTestSupport::RecordingAction& unseen = makeAction(actions[0]->actor(), {}, "見せない");
  EXPECT_EQ(Cast::createForAction(unseen, &mList), nullptr);
}

// The tick's answer and the results shown, frame by frame.
TEST_F(EffectFactoryTest, DummyShowsTheResultsOnSixteenWithoutAStateAndEndsOnSixty) {
  RecordingAction& action = *standardActions(1)[0];
  std::unique_ptr<Cast> effect = Cast::createForAction(action, &mList);
  effect->setCamera(&camera);
  int answer = 0;
  EXPECT_EQ(trace(61, [&] { answer = step(*effect); },
                  [&] { return std::to_string(answer) + " shown " + std::to_string(action.resultsShown); }),
            "0:0 shown 0 16:0 shown 1 60:2 shown 1");
}

}  // namespace
