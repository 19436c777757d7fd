#include "menu/ContinueScene.h"

#include <string>
#include <tuple>

#include "field/FieldScene.h"
#include "field/FieldTalk.h"
#include "presentation/widget/NumberInput.h"
#include "resource/database/MapSiteData.h"
#include "tests/menu/MenuFixture.h"

namespace {

using Engine::i32;
using Game::ContinueScene;
using Game::FieldScene;
using Platform::Key;

constexpr const char* kMine = "灰の坑道";        // 5 floors
constexpr const char* kLibrary = "沈黙の書庫";  // 3 floors
constexpr const char* kOpening = "オープニング";  // no floors, shown as 始まりの広間

class ContinueSceneTest : public MenuTestSupport::MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    for (const char* file : {ContinueScene::kContinueScript, ContinueScene::kShopScript}) {
      fs().put(file, GameTestSupport::sampleFile(file));
    }
  }
  void TearDown() override {
    mScene.reset();
    Game::GameData::setContinueMaker(nullptr);
    MenuTest::TearDown();
  }
  ContinueScene& open() {
    mScene = std::make_unique<ContinueScene>(game());
    return *mScene;
  }
  void reach(const char* name, i32 floor) {
    game().openScene(site(name));
    game().floor() = floor;
    game().recordFloorReached(site(name), 0);
    game().floor() = -1;
  }
  bool frame(std::initializer_list<Key> held = {}) {
    step(held);
    return mScene->update();
  }
  // Waits until the list takes input, then one press.
  void tap(Key key) {
    for (int i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame();
    frame({key});
    frame();
  }
  std::string talkText() {
    mScene->talk().isIdle();
    return mScene->talk().box().text().c_str();
  }
  bool says(const char* line) { return talkText().find(line) != std::string::npos; }

  std::unique_ptr<ContinueScene> mScene;
};

TEST_F(ContinueSceneTest, TheDestinationsAreTheOpenedSitesInListOrderThenTheShop) {
  game().openScene(site(kLibrary));
  game().openScene(site(kOpening));
  ContinueScene& scene = open();
  EXPECT_EQ(rows(scene.destinations()), (std::vector<std::string>{"始まりの広間", kLibrary, "Wrenfold"}));
  EXPECT_EQ(scene.destinations().findById(2), scene.destinations().item(1));
  EXPECT_EQ(scene.destinations().findById(-1), scene.destinations().item(2));
  EXPECT_FALSE(scene.isScriptRunning());
  EXPECT_TRUE(says(Game::FieldTalk::kWhereToGo));
}

// A dungeon never entered starts at floor 1; one reached deeper asks from
// the deepest floor (never past the site's floors); a site without floors
// is floor 0.
TEST_F(ContinueSceneTest, ChoosingASiteSetsTheFloorOrAsksForIt) {
  const std::vector<std::tuple<const char*, i32, i32, i32>> cases = {
      // site, reached, floor set at once (-1: asks), the entry's start
      {kMine, 0, 1, 0}, {kMine, 3, -1, 3}, {kMine, 9, -1, 5}, {kOpening, 0, 0, 0}};
  for (const auto& [name, reached, floor, start] : cases) {
    reach(name, reached);
    ContinueScene& scene = open();
    tap(kDecide);
    EXPECT_EQ(scene.chosen(), &site(name));
    EXPECT_EQ(game().floor(), floor) << name << reached;
    ASSERT_EQ(scene.floorInput() != nullptr, floor < 0) << name << reached;
    EXPECT_TRUE(says(floor < 0 ? Game::FieldTalk::kWhereToStart : Game::FieldTalk::kLetsGo));
    if (scene.floorInput()) {
      EXPECT_EQ(scene.floorInput()->value(), start);
      frame({kDecide});
      EXPECT_EQ(game().floor(), start);
      EXPECT_EQ(scene.floorInput(), nullptr);
      EXPECT_TRUE(says(Game::FieldTalk::kLetsGo));
    }
    game().variables().integer((std::string(name) + ".出現").c_str()) = 0;
  }
}

TEST_F(ContinueSceneTest, CancellingTheFloorEntryDropsTheChoiceAndAsksAgain) {
  reach(kMine, 3);
  ContinueScene& scene = open();
  tap(kDecide);
  frame({kCancel});
  EXPECT_EQ(scene.chosen(), nullptr);
  EXPECT_EQ(scene.floorInput(), nullptr);
  EXPECT_TRUE(says(Game::FieldTalk::kWhereToGo));
  EXPECT_EQ(scene.counter(), 0);
}

// The fade starts at frame 30; on frame 121 the field opens at the site, a
// dungeon counting one more outing under its name.
TEST_F(ContinueSceneTest, TheFieldOpensAtTheChosenSiteAfterTheFade) {
  for (const auto& [name, outings, headline] :
       {std::tuple{kMine, 1, kMine}, std::tuple{kOpening, 0, ""}}) {
    reach(name, 0);
    game().setHeadline("");
    Game::SceneRenderer::instance()->setFadeTarget(0);
    const i32 before = game().invadeCount();
    ContinueScene& scene = open();
    tap(kDecide);
    bool left = false;
    while (!left && scene.counter() < ContinueScene::kFadeOutFrame - 1) left = frame();
    EXPECT_EQ(Game::SceneRenderer::instance()->fadeTarget(), 0);
    frame();
    EXPECT_EQ(Game::SceneRenderer::instance()->fadeTarget(), 255);
    while (!left && scene.counter() < ContinueScene::kLeaveFrame - 1) left = frame();
    EXPECT_FALSE(left);
    EXPECT_TRUE(frame());
    const auto* field = static_cast<const FieldScene*>(game().field());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(std::pair(field->currentSite(), field->resumes()), std::pair(&site(name), 1));
    EXPECT_EQ(std::pair(game().invadeCount() - before, std::string(game().headline())),
              std::pair(outings, std::string(headline)));
    game().variables().integer((std::string(name) + ".出現").c_str()) = 0;
  }
}

TEST_F(ContinueSceneTest, TheShopRowRunsTheShopScript) {
  ContinueScene& scene = open();
  tap(kDecide);
  EXPECT_TRUE(scene.isScriptRunning());
  EXPECT_EQ(scene.chosen(), nullptr);
}

// The battle lost with defeat mode 1 asks the field for the continue scene
// and leaves the lose event; the fine of continue.txt is max(1, 1² / 10) = 1.
TEST_F(ContinueSceneTest, ALostBattleLeadsThroughTheFineToTheNextOuting) {
  Game::GameData::setContinueMaker([](Game::GameData& g) -> Game::SubScene* { return new ContinueScene(g); });
  game().openScene(site(kMine));
  game().money() = 50;
  ASSERT_TRUE(game().party().recruit(*shell("Kessa")));
  Game::PlayerGhost& kessa = game().party().members().memberAt(0);
  const i32 fullLp = kessa.lp();
  kessa.lpRef() = 1;
  game().field()->requestContinueScene();
  game().requestLoseEvent();
  const i32 outings = game().invadeCount();

  step({});
  game().update();
  ASSERT_NE(game().shop(), nullptr);
  for (int i = 0; i < 400 && game().shop(); ++i) {
    if (i % 4 == 0) {
      step({kDecide});
    } else {
      step({});
    }
    game().update();
  }
  EXPECT_EQ(game().money(), 49);
  ASSERT_NE(game().field(), nullptr);
  EXPECT_EQ(game().shop(), nullptr);
  EXPECT_EQ(std::tuple(game().field()->currentSite(), game().floor(), game().invadeCount()),
            std::tuple(&site(kMine), 1, outings + 1));
  EXPECT_EQ(kessa.lp(), fullLp);
}

}  // namespace
