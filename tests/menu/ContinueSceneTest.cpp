#include "menu/ContinueScene.h"

#include <string>
#include <tuple>

#include "field/FieldScene.h"
#include "field/FieldTalk.h"
#include "presentation/widget/NumberInput.h"
#include "tests/menu/MenuFixture.h"

namespace {

using Engine::i32;
using Game::ContinueScene;
using Platform::Key;
namespace Talk = Game::FieldTalk;

constexpr const char* kMine = "灰の坑道";          // 5 floors
constexpr const char* kLibrary = "沈黙の書庫";    // 1 floor
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
  // The only site opened, reached down to that floor; the scene on it.
  ContinueScene& open(const char* name, i32 reached) {
    for (i32 i = 0; i < database().siteCount(); ++i) {
      game().variables().integer((std::string(database().siteAt(i)->name()) + ".出現").c_str()) = 0;
    }
    if (name) game().openScene(site(name));
    game().floor() = reached;
    if (name) game().recordFloorReached(site(name), 0);
    game().floor() = -1;
    mScene = std::make_unique<ContinueScene>(game());
    return *mScene;
  }
  bool says(const char* line) {
    mScene->talk().isIdle();
    return std::string(mScene->talk().box().text().c_str()).find(line) != std::string::npos;
  }

  std::unique_ptr<ContinueScene> mScene;
};

TEST_F(ContinueSceneTest, TheDestinationsAreTheOpenedSitesInListOrderThenTheShop) {
  game().openScene(site(kLibrary));
  game().openScene(site(kOpening));
  mScene = std::make_unique<ContinueScene>(game());
  ContinueScene& scene = *mScene;
  EXPECT_EQ(rows(scene.destinations()), (std::vector<std::string>{"始まりの広間", kLibrary, "Wrenfold"}));
  EXPECT_EQ(scene.destinations().findById(2), scene.destinations().item(1));
  EXPECT_EQ(scene.destinations().findById(-1), scene.destinations().item(2));
  EXPECT_EQ(static_cast<const Game::Widget::Text*>(scene.destinations().item(2))->font, 0) << "the small font";
  EXPECT_FALSE(scene.isScriptRunning());
  EXPECT_TRUE(says(Talk::kWhereToGo));
  press(scene, Key::Down);
  press(scene, Key::Down);
  press(scene, kDecide);
  EXPECT_TRUE(scene.isScriptRunning()) << "Wrenfold runs the shop script";
}

// A dungeon never entered starts at floor 1; one reached deeper asks from
// the deepest floor (never past the site's floors); a site without floors
// is floor 0. Cancelling the entry drops the choice.
TEST_F(ContinueSceneTest, ChoosingASiteSetsTheFloorOrAsksForIt) {
  for (const auto& [name, reached, floor, start] :
       {std::tuple{kMine, 0, 1, 0}, {kMine, 3, -1, 3}, {kMine, 9, -1, 4}, {kOpening, 0, 0, 0}}) {
    ContinueScene& scene = open(name, reached);
    press(scene, kDecide);
    EXPECT_EQ(std::tuple(scene.chosen(), game().floor()), std::tuple(&site(name), floor)) << name << reached;
    ASSERT_EQ(scene.floorInput() != nullptr, floor < 0) << name << reached;
    EXPECT_TRUE(says(floor < 0 ? Talk::kWhereToStart : Talk::kLetsGo));
    if (scene.floorInput()) {
      EXPECT_EQ(scene.floorInput()->value(), start);
      press(scene, kDecide, 1);
      EXPECT_EQ(std::tuple(game().floor(), scene.floorInput() == nullptr, says(Talk::kLetsGo)),
                std::tuple(start, true, true));
    }
  }
  ContinueScene& scene = open(kMine, 3);
  press(scene, kDecide);
  press(scene, kCancel, 0);
  EXPECT_EQ(std::tuple(scene.chosen(), scene.floorInput() == nullptr, says(Talk::kWhereToGo), scene.counter()),
            std::tuple(nullptr, true, true, 0));
}

// The fade starts at frame 30; on frame 121 the field opens at the site, a
// dungeon counting one more outing under its name.
TEST_F(ContinueSceneTest, TheFieldOpensAtTheChosenSiteAfterTheFade) {
  Game::SceneRenderer& renderer = *Game::SceneRenderer::instance();
  for (const auto& [name, outings, headline] : {std::tuple{kMine, 1, kMine}, {kOpening, 0, ""}}) {
    ContinueScene& scene = open(name, 0);
    game().setHeadline("");
    renderer.setFadeTarget(0);
    const i32 before = game().invadeCount();
    bool left = press(scene, kDecide);
    step({});
    while (!left && scene.counter() < ContinueScene::kFadeOutFrame - 1) left = scene.update();
    EXPECT_EQ(renderer.fadeTarget(), 0);
    EXPECT_FALSE(scene.update());
    EXPECT_EQ(renderer.fadeTarget(), 255);
    while (!left && scene.counter() < ContinueScene::kLeaveFrame - 1) left = scene.update();
    EXPECT_EQ(std::pair(left, scene.update()), std::pair(false, true));
    const auto* field = static_cast<const Game::FieldScene*>(game().field());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(std::tuple(field->currentSite(), field->resumes(), game().invadeCount() - before),
              std::tuple(&site(name), 1, outings));
    EXPECT_STREQ(game().headline(), headline);
  }
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
  // The field fades out first.
  for (i32 i = 0; i < Game::FieldScene::kChangeFrames; ++i) game().update();
  ASSERT_NE(game().shop(), nullptr);
  for (int i = 0; i < 100 && game().shop(); ++i) press(game(), kDecide, 3);
  EXPECT_EQ(std::tuple(game().money(), game().shop(), kessa.lp()), std::tuple(49, nullptr, fullLp));
  ASSERT_NE(game().field(), nullptr);
  EXPECT_EQ(std::tuple(game().field()->currentSite(), game().floor(), game().invadeCount()),
            std::tuple(&site(kMine), 1, outings + 1));
}

}  // namespace
