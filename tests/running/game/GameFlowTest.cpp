#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "records/expression/GameResolver.h"
#include "field/FieldScene.h"
#include "menu/Intermission.h"
#include "running/game/TimedStandIn.h"
#include "menu/TitleScene.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"
#include "tests/running/game/FlowFixture.h"

namespace {

using namespace Game;
using Platform::Key;

// The end of a battle that is over as soon as its opening has run.
class EndsAtOnce final : public BattleStuff::Over {
 public:
  Engine::i32 update() override { return 1; }
};

// A shop slot that closes after its frames.
class TimedShop final : public TimedStandIn, public SubScene {
 public:
  explicit TimedShop(Engine::i32 frames) : TimedStandIn(frames) {}
  bool update() override { return TimedStandIn::update(); }
};

// A field that ends itself on its second frame.
class EndingField final : public FieldScene {
 public:
  using FieldScene::FieldScene;
  bool update() override { return FieldScene::update() || updates() == 2; }
};

// The game flow on the real battle and the stand-in scenes, stepped as the root steps it.
class GameFlowTest : public GameTestSupport::FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    createFlow();
  }
  static GameData& game() { return *flow().game(); }
};

// The title starts a new game on its first item, faded out. One sub-scene a
// frame: battle, camp menu, shop, field. A sub-scene that finishes ends its
// frame; the field under a battle resumes at once but runs from the next
// frame; opening the shop removes the field.
TEST_F(GameFlowTest, ANewGameRunsOneSubSceneAFrameInPriorityOrder) {
  EXPECT_EQ(title()->selectedItem(), TitleScene::kStart);
  SceneRenderer::instance()->setFadeLevel(0);
  choose(TitleScene::kStart);
  EXPECT_FALSE(title());
  EXPECT_EQ(SceneRenderer::instance()->fadeLevel(), 255);
  auto* field = static_cast<FieldScene*>(game().field());
  ASSERT_TRUE(field);
  const Engine::i32 fieldRuns = field->updates();
  auto* battle = new Battle(game(), BattleSettings{});
  battle->startOver(std::make_unique<EndsAtOnce>());
  game().setBattle(battle);
  auto* camp = new Intermission(game(), Intermission::kNoSave);
  camp->close();
  game().setIntermission(camp);
  game().setShop(new TimedShop(2));
  Party& party = game().party();
  // The opening has the lead join on the field's first frame.
  party.recruit(*Database::instance()->findShell("Kessa"));
  Game::PlayerGhost& kessa = party.members().memberAt(0);
  const Engine::i32 fullLp = kessa.lp();
  kessa.lpRef() = 1;

  step();
  EXPECT_EQ(battle->frame(), 1);
  step();
  EXPECT_EQ(
      std::tuple(game().battle(), field->resumes(), field->updates(), Database::instance()->battlePictureReleases()),
      std::tuple(nullptr, 1, fieldRuns, 1));

  step();
  EXPECT_EQ(std::tuple(game().intermission(), field->updates()), std::tuple(nullptr, fieldRuns));

  step();
  EXPECT_EQ(std::tuple(game().field(), Database::instance()->symbolCharacterReleases(),
                       Database::instance()->mapPictureReleases(), kessa.lp()),
            std::tuple(nullptr, 1, 1, 1));
  step();
  // Closing the shop restores the members' LP.
  EXPECT_EQ(std::tuple(game().shop(), kessa.lp()), std::tuple(nullptr, fullLp));

  game().setField(new EndingField(game()));
  step();
  EXPECT_TRUE(game().field());
  step();
  EXPECT_FALSE(game().field());
}

TEST_F(GameFlowTest, ReturnKeyDuringABattleShowsANewTitleInTheSameFrame) {
  choose(TitleScene::kStart);
  game().setBattle(new Battle(game(), BattleSettings{}));
  backend->fakeKeyboard.press(Key::F9);
  EXPECT_EQ(step(), 0);
  ASSERT_TRUE(title());
  // The new title ran in this frame.
  EXPECT_EQ(std::tuple(flow().game(), title()->frame()), std::tuple(nullptr, 1));
  const TitleScene* shown = title();
  step();  // held on: still the same title
  EXPECT_EQ(title(), shown);
}

// The memory save outlives games: it loads twice, and a newer one replaces it.
TEST_F(GameFlowTest, MemoryLoadRebuildsTheGameFromTheMemorySave) {
  choose(TitleScene::kStart);
  for (int i = 0; i < 5; ++i) step();
  const Engine::i32 savedTime = game().playTime().low();
  game().money() = 250;
  game().setHeadline("メモ,残り");
  flow().memorySave(game());
  for (int round = 0; round < 2; ++round) {
    flow().returnToTitle();
    step();
    ASSERT_TRUE(title());
    EXPECT_EQ(title()->selectedItem(), TitleScene::kMemoryLoad);
    choose(TitleScene::kMemoryLoad);
    ASSERT_TRUE(flow().game());
    // One game frame since the load.
    EXPECT_EQ(std::tuple(game().playTime().low(), static_cast<FieldScene*>(game().field())->resumes(), game().money(),
                         std::string(game().headline())),
              std::tuple(savedTime + 1, 1, 250, "メモ"));
  }
  game().playTime().set(1000);
  flow().memorySave(game());
  flow().returnToTitle();
  step();
  choose(TitleScene::kMemoryLoad);
  EXPECT_EQ(game().playTime().low(), 1001);
}

// The answers about one given game: its variables, flags, members and items,
// and the empty ones about a battle it lacks; the flow's own answers, before
// a game is started, are all empty. The title's quit ends the flow.
TEST_F(GameFlowTest, AGivenGamesAnswersTheFlowsBeforeAGameAndTheQuit) {
  GameData played;
  played.party().recruit(*database().findShell("Kessa"));
  played.bag().add(Article::fromItem(database().findTool("薬草")), 2);
  played.variables().integer("money") = 7;
  played.variables().flagOn("旗");
  const auto given = GameFlow::resolverOf(played);
  const ExpressionStuff::GameResolver& none = GameFlow::runningGameResolver();
  Engine::i32 money = 0;
  EXPECT_EQ(std::tuple(given->findInteger("money", &money), money, given->findInteger("無い", &money),
                       none.findInteger("money", &money)),
            std::tuple(true, 7, false, false));
  for (const auto& [answers, yes] : {std::pair<const ExpressionStuff::GameResolver*, bool>{given.get(), true}, {&none, false}}) {
    EXPECT_EQ(std::tuple(answers->isFlagOn("旗"), answers->isActiveMember("Kessa"), answers->activeMemberCount(),
                         answers->countTool("薬草"), answers->countToolInRoster("鉄の剣"), answers->hasField(),
                         std::string(answers->siteName())),
              std::tuple(yes, yes, yes ? 1 : 0, yes ? 2 : 0, yes ? 1 : 0, yes, std::string(yes ? "オープニング" : "")))
        << yes;
    EXPECT_EQ(std::tuple(answers->isFlagOn("無い"), answers->isActiveMember("灯りのミオ"), answers->countTool("無い"),
                         answers->countToolInRoster("無い"), answers->hasFloorEvent("player", "x"),
                         answers->hasSymbol("x"), answers->isSymbolOnCell("player", 9, true)),
              std::tuple(false, false, 0, 0, false, false, false))
        << yes;
    EXPECT_EQ(std::tuple(answers->hasBattle(), answers->turn(), answers->livingCount(0), answers->hasLastSpells(),
                         answers->findUnit("Kessa")),
              std::tuple(false, 0, 0, false, nullptr))
        << yes;
  }
  EXPECT_EQ(choose(TitleScene::kQuit), 2);
}

}  // namespace
