#include "menu/Intermission.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "running/game/GameFlow.h"
#include "running/game/SaveSlot.h"
#include "running/game/SaveSlotList.h"
#include "running/game/SaveSlotMenu.h"
#include "live/Unit.h"
#include "live/party/PartyMembers.h"
#include "records/stats/Experience.h"
#include "live/unit/PlayerGhost.h"
#include "live/unit/UnitPanels.h"
#include "core/file/FileLoader.h"
#include "menu/CampPhases.h"
#include "menu/FormationPhase.h"
#include "menu/StatusBoost.h"
#include "menu/ToolPhase.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/TextGrid.h"
#include "tests/running/game/GameHelpers.h"
#include "tests/Services.h"
#include "tests/presentation/model/ModelTestSupport.h"
#include "tests/running/game/KeyedGameFixture.h"

namespace {

using Engine::i32;
using Game::Intermission;
using Game::PlayerGhost;
using Platform::Key;
namespace Camp = Game::IntermissionStuff;

// A title that hands over nothing: the flow only keeps the memory save.
class IdleTitle : public Game::TitleStage {
 public:
  i32 update() override { return kStay; }
  Game::GameData* takeGame() override { return nullptr; }
};

// The camp menu as the game runs it, over a party of Kessa and ミオ, one
// frame at a time.
// Pictures build their meshes on the (fake) device; screens draw into the
// renderer's queue.
class IntermissionTest : public TestServices::Test<TestServices::kGraphics | TestServices::kRenderer,
                                                   GameTestSupport::WithGame<GameTestSupport::KeyedGameTest>> {
 protected:
  void SetUp() override {
    Test::SetUp();
    GameTestSupport::putSampleFiles(fs(), "src/data/tool");
    GameTestSupport::putSampleFiles(fs(), "src/picture/gui");
    game().party().recruit(*database().findShell("Kessa"));
    game().party().recruit(*database().findShell("灯りのミオ"));
  }
  void TearDown() override {
    Game::SaveSlotList::forgetCursor();
    mGame.reset();
    Test::TearDown();
  }

  void open(i32 saveMode = Intermission::kNoSave) {
    game().setIntermission(new Intermission(game(), saveMode));
    settle();
  }
  Intermission* camp() { return static_cast<Intermission*>(game().intermission()); }
  // The open screen as its class; a test without it cannot go on.
  template <class Phase>
  Phase& phase() {
    auto* open = camp() ? dynamic_cast<Phase*>(camp()->phase()) : nullptr;
    if (!open) std::abort();
    return *open;
  }
  PlayerGhost& member(i32 i) { return game().party().members().memberAt(i); }
  // One game frame with the keys held; whether the camp is gone.
  bool frame(std::initializer_list<Key> held = {}) {
    step(held);
    game().update();
    return camp() == nullptr;
  }
  bool press(Key key) {
    const bool gone = frame({key});
    return frame() || gone;
  }
  // Past the input delay of freshly opened lists.
  void settle() {
    for (i32 i = 0; i <= Game::ListMenu::kInputDelay; ++i) frame();
  }
  // Moves a list's cursor down or up onto the item of the id.
  void moveTo(const Game::ListMenu& list, i32 id) {
    const auto cursorId = [&list] { return list.item(list.cursor())->id; };
    for (i32 i = 0; i < 30 && cursorId() != id; ++i) press(cursorId() < id ? Key::Down : Key::Up);
    ASSERT_EQ(cursorId(), id);
  }
  void openRow(i32 row) {
    moveTo(camp()->top().list(), row);
    press(kDecide);
    settle();
  }
  void chooseMember(i32 i) {
    moveTo(camp()->party().list(), i);
    press(kDecide);
    settle();
  }
  std::vector<i32> topIds() {
    std::vector<i32> ids;
    const Game::ListMenu& list = camp()->top().list();
    for (i32 i = 0; i < list.itemCount(); ++i) ids.push_back(list.item(i)->id);
    return ids;
  }
  std::tuple<i32, i32> cellOf(const PlayerGhost& ghost) {
    const Game::PartyMembers& members = game().party().members();
    for (i32 i = 0; i < members.count(); ++i)
      if (members.at(i).ghost == &ghost) return {members.at(i).row, members.at(i).column};
    return {-1, -1};
  }
  i32 bagCount(const char* name) { return game().bag().countItem(database().findTool(name)); }
};

TEST_F(IntermissionTest, TheSaveModePicksTheSaveRowAndTheDetailTableSignsBoosts) {
  const std::tuple<i32, std::vector<i32>> cases[] = {
      {Intermission::kNoSave, {1, 2, 3, 4, 5, 6, 7, 9}},
      {Intermission::kMemorySave, {1, 2, 3, 4, 5, 6, 7, 9, 11}},
      {Intermission::kFileSave, {1, 2, 3, 4, 5, 6, 7, 9, 10}},
  };
  for (const auto& [mode, ids] : cases) {
    SCOPED_TRACE(mode);
    open(mode);
    EXPECT_EQ(topIds(), ids);
    game().setIntermission(nullptr);
  }
  // Boosts show signed in the detail table; the smoke golden status.png shows
  // the rest of it.
  Game::Unit unit(member(0));
  unit.setBoost(Game::Parameters::kStrength, 1);
  unit.setBoost(Game::Parameters::kAgility, -2);
  Game::TextGrid grid;
  Game::UnitPanels::fillDetailTable(grid, unit);
  const auto text = [&grid](i32 row) {
    const char* cell = grid.cell(1 + row, 2).text.c_str();
    return std::string(cell ? cell : "");
  };
  EXPECT_EQ(std::tuple(text(Game::Parameters::kStrength), text(Game::Parameters::kAgility)), std::tuple(" +1", " -2"));
}

// The top menu's eight rows of 20 units hang from (-320, 240); the records
// 32 units under them; the party list from (-80, 240). Frames stand 4 units
// out of what they hold.
TEST_F(IntermissionTest, TheRecordsHangUnderTheTopMenu) {
  GameTestSupport::putSampleFiles(fs(), "src/system");
  Game::SystemResources::create();
  open();
  ModelTestSupport::RecordingHook hook;
  frame();
  std::vector<std::pair<long, long>> corners;
  for (const auto& draw : hook.draws) {
    const auto& at = draw.state.transform;
    if (draw.batch == "topLeft") corners.emplace_back(std::lround(at(0, 3) * 400.f), std::lround(at(1, 3) * 400.f));
  }
  const long recordsTop = 240 - 8 * 20 - 32;
  EXPECT_EQ(corners, (std::vector<std::pair<long, long>>{{-324, 244}, {-324, recordsTop + 4}, {-84, 244}}));
  Game::SystemResources::destroy();
}

// Cancelling a member choice goes back to the top menu; cancelling the top
// menu closes the camp.
TEST_F(IntermissionTest, CancelGoesBackAStepAtATime) {
  open();
  // Swap first: members are chosen one at a time again after it.
  for (i32 row : {Intermission::kSwap, Intermission::kStatus, Intermission::kEquip, Intermission::kMasterSkill,
                  Intermission::kStatusBoost, Intermission::kTool}) {
    SCOPED_TRACE(row);
    openRow(row);
    ASSERT_NE(camp()->phase(), nullptr);
    EXPECT_EQ(dynamic_cast<Camp::Equip*>(camp()->phase()) != nullptr, row == Intermission::kEquip);
    if (row != Intermission::kSwap && row != Intermission::kTool) {
      chooseMember(0);
      ASSERT_EQ(static_cast<Camp::MemberPhase*>(camp()->phase())->member(), &member(0));
      press(kCancel);
      ASSERT_NE(camp()->phase(), nullptr);
      EXPECT_EQ(static_cast<Camp::MemberPhase*>(camp()->phase())->member(), nullptr);
    }
    press(kCancel);
    EXPECT_EQ(camp()->phase(), nullptr);
  }
  openRow(Intermission::kConfig);
  EXPECT_NE(camp()->configMenu(), nullptr);
  EXPECT_EQ(std::tuple(camp()->saveMenu(), camp()->phase()), std::tuple(nullptr, nullptr));
  game().setIntermission(nullptr);
  open();
  EXPECT_TRUE(press(kCancel));
}

TEST_F(IntermissionTest, SwapExchangesMembersAndKeepsTheCells) {
  const auto cells = std::tuple(cellOf(member(0)), cellOf(member(1)));
  PlayerGhost* kessa = &member(0);
  PlayerGhost* mio = &member(1);
  open();
  openRow(Intermission::kSwap);
  chooseMember(0);
  chooseMember(1);
  EXPECT_EQ(std::tuple(&member(0), &member(1)), std::tuple(mio, kessa));
  EXPECT_EQ(std::tuple(cellOf(*mio), cellOf(*kessa)), cells);
  chooseMember(1);  // and back, chosen the other way round
  chooseMember(0);
  EXPECT_EQ(std::tuple(&member(0), &member(1)), std::tuple(kessa, mio));
  press(kCancel);
  EXPECT_EQ(camp()->party().list().chosen().size(), 0u);
}

TEST_F(IntermissionTest, TheFormationCursorStopsAtTheGridsEdgesAndAHeldMemberBlinks) {
  open();
  openRow(Intermission::kFormation);
  const auto* formation = &phase<Camp::Formation>();
  press(Key::Right);
  EXPECT_EQ(formation->row(), 1);
  for (i32 i = 0; i < 3; ++i) press(Key::Right);
  for (i32 i = 0; i < 5; ++i) press(Key::Up);
  EXPECT_EQ(std::tuple(formation->row(), formation->column()), std::tuple(2, 4));
  for (i32 i = 0; i < 4; ++i) press(Key::Left);
  for (i32 i = 0; i < 6; ++i) press(Key::Down);
  EXPECT_EQ(std::tuple(formation->row(), formation->column()), std::tuple(0, 0));
  // Each frame draws the 15 tiles and the members' models: Kessa fallen (2
  // batches) on her cell and on her sheet under the cursor, ミオ standing (3).
  // Held, Kessa's cell blinks out on frames 4 to 7.
  GameTestSupport::putSampleFiles(fs(), "src/picture/unit");
  GameTestSupport::putSampleFiles(fs(), "src/picture/common");
  Game::FileLoader::destroy();
  Game::FileLoader::create();
  database().maps().units.load();
  game().party().members().at(0).column = 2;
  member(0).lpRef() = 0;
  Intermission camp(game(), Intermission::kNoSave);
  Camp::Formation held(camp);
  Game::RenderQueue& queue = Game::SceneRenderer::instance()->renderQueue();
  std::vector<i32> draws;
  for (i32 frame = 1; frame <= 8; ++frame) {
    step(frame == 1 ? std::initializer_list<Key>{kDecide} : std::initializer_list<Key>{});
    queue.clear();
    held.update(game());
    draws.push_back(queue.count(Game::RenderQueue::kFrontEnd));
  }
  EXPECT_EQ(draws, (std::vector<i32>{22, 22, 22, 20, 20, 20, 20, 22}));
}

// A held member put on an empty cell moves there; put on a member, the two
// trade cells.
TEST_F(IntermissionTest, TheFormationMovesAndTradesHeldMembers) {
  PlayerGhost& kessa = member(0);
  PlayerGhost& mio = member(1);
  const auto mioCell = cellOf(mio);
  open();
  openRow(Intermission::kFormation);
  const auto* formation = &phase<Camp::Formation>();
  const auto moveTo = [&](i32 row, i32 column) {
    for (i32 i = 0; i < 8 && formation->row() != row; ++i) press(formation->row() < row ? Key::Right : Key::Left);
    for (i32 i = 0; i < 8 && formation->column() != column; ++i)
      press(formation->column() < column ? Key::Up : Key::Down);
  };
  ASSERT_EQ(std::tuple(cellOf(kessa), mioCell), std::tuple(std::tuple(0, 0), std::tuple(0, 1)));
  Game::BattleGrid grid;
  Camp::Formation::markCells(game().party().members(), grid);
  EXPECT_EQ(std::tuple(grid.isOccupied(0, 0), grid.isOccupied(0, 1), grid.isOccupied(0, 2)),
            std::tuple(true, true, false));
  moveTo(0, 0);
  press(kDecide);
  EXPECT_EQ(formation->held(), &kessa);
  // Under the cursor: her sheet and the notes of her cell, open to close
  // attacks with no one in front.
  EXPECT_STREQ(Game::SceneRenderer::instance()->textWriter().lastText().c_str(), "前衛 近距離攻撃を受ける");
  moveTo(0, 4);
  press(kDecide);
  EXPECT_EQ(std::tuple(cellOf(kessa), cellOf(mio), formation->held()), std::tuple(std::tuple(0, 4), mioCell, nullptr));
  press(kDecide);
  moveTo(0, 1);
  press(kDecide);
  EXPECT_EQ(std::tuple(cellOf(kessa), cellOf(mio)), std::tuple(std::tuple(0, 1), std::tuple(0, 4)));
  // Cancel lets go of a held member first, then leaves.
  press(kDecide);
  press(kCancel);
  EXPECT_EQ(formation->held(), nullptr);
  press(kCancel);
  EXPECT_EQ(camp()->phase(), nullptr);
}

TEST_F(IntermissionTest, AHerbFromTheBagHealsAndIsUsedUp) {
  game().bag().add(Game::Article::fromItem(database().findTool("薬草")), 2);
  member(0).lpRef() = 1;
  open();
  openRow(Intermission::kTool);
  for (const Key answer : {kCancel, kDecide}) {  // "no" keeps the list open
    press(kDecide);
    ASSERT_NE(phase<Camp::Tool>().confirmation(), nullptr);
    settle();
    press(answer);
    EXPECT_EQ(phase<Camp::Tool>().confirmation(), nullptr);
    settle();
  }
  // The list is drawn on each of the screen's 49 frames, the ones under 傷が少し癒えた。
  // too; the press that closes it asks nothing of the list nor of the top menu after.
  const Game::ListMenu& items = phase<Camp::Tool>().items().list();
  ASSERT_EQ(std::tuple(game().messages().count(), items.framesOpen()), std::tuple(1, 49));
  press(kDecide);
  EXPECT_EQ(std::tuple(phase<Camp::Tool>().confirmation(), items.framesOpen()), std::tuple(nullptr, 51));
  settle();
  EXPECT_EQ(std::tuple(camp()->phase(), camp()->top().selectedId(0), member(0).lp(), bagCount("薬草"),
                       game().variables().hasInteger(Camp::Tool::kCurrentItem)),
            std::tuple(nullptr, Intermission::kTool, 31, 1, false));
}

// A script that closes the camp under itself still takes its variable.
TEST_F(IntermissionTest, TheItemVariableGoesWhenTheCampClosesUnderTheScript) {
  fs().put("src/data/tool/薬草.txt", "closeIntermission{} sleep{ value 10; }");
  game().bag().add(Game::Article::fromItem(database().findTool("薬草")), 1);
  open();
  openRow(Intermission::kTool);
  press(kDecide);
  settle();
  press(kDecide);
  for (i32 i = 0; i < 5 && camp(); ++i) frame();
  EXPECT_EQ(std::tuple(camp(), game().variables().hasInteger(Camp::Tool::kCurrentItem)), std::tuple(nullptr, false));
}

// Learning spends master points; a boost spends its cost and adds one.
TEST_F(IntermissionTest, LearningAndBoostingSpendTheirPoints) {
  member(0).gainExperience(nullptr, Game::Experience::forLevel(3), Game::Experience::forMasterLevel(3));
  ASSERT_EQ(member(0).bonusPoint(), 2);
  const i32 points = member(0).masterPoint();
  const i32 arts = member(0).abilities().count();
  open();
  openRow(Intermission::kMasterSkill);
  chooseMember(0);
  auto* learn = &phase<Camp::MasterSkill>();
  ASSERT_NE(learn->learnList().selectedCandidate(), nullptr);
  const i32 cost = learn->learnList().selectedCandidate()->effectiveCost(member(0).abilities());
  press(kDecide);
  EXPECT_EQ(std::tuple(member(0).masterPoint(), member(0).abilities().count(), learn->arts().abilityCount()),
            std::tuple(points - cost, arts + 1, arts + 1));
  game().setIntermission(nullptr);
  open();
  openRow(Intermission::kStatusBoost);
  chooseMember(0);
  auto* boost = &phase<Camp::StatusBoost>();
  // A row per parameter, HP first.
  const auto* first = dynamic_cast<const Game::Widget::Text*>(boost->list().item(0));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(std::tuple(std::string(first->text.c_str()), first->id), std::tuple(std::string("HP"), 0));
  moveTo(boost->list(), Game::Parameters::kStrength);
  press(kDecide);
  EXPECT_EQ(std::tuple(member(0).bonusPoint(), member(0).bonus()[Game::Parameters::kStrength]), std::tuple(1, 1));
}

// Saves whose floor cannot be read list as invalid; the others still save.
TEST_F(IntermissionTest, TheFileSaveRowWritesTheChosenSlot) {
  GameTestSupport::saveUnreadableFloors(fs(), 4);
  open(Intermission::kFileSave);
  openRow(Intermission::kSave);
  ASSERT_NE(camp()->saveMenu(), nullptr);
  GameTestSupport::expectUnreadableFloorsInvalid(camp()->saveMenu()->list(), 4);
  EXPECT_EQ(camp()->phase(), nullptr);
  moveTo(camp()->saveMenu()->menu(), 0);
  press(kDecide);
  EXPECT_TRUE(Game::SaveSlot::exists(0));
  press(kCancel);
  EXPECT_EQ(camp()->saveMenu(), nullptr);
}

TEST_F(IntermissionTest, TheMemorySaveRowKeepsTheGame) {
  Game::GameFlow::create([](bool) -> Game::TitleStage* { return new IdleTitle(); });
  game().money() = 321;
  open(Intermission::kMemorySave);
  openRow(Intermission::kQuickSave);
  const Game::NmlDocument* saved = Game::GameFlow::instance()->memorySaveDocument();
  ASSERT_NE(saved, nullptr);
  // All but the play time, which ran on since.
  const auto afterTime = [](const std::string& body) { return body.substr(body.find("flag{")); };
  EXPECT_EQ(afterTime(GameTestSupport::compactText(*saved)), afterTime(GameTestSupport::body(game())));
  phase<Camp::QuickSave>();
  press(kDecide);
  EXPECT_EQ(camp()->phase(), nullptr);
  // Held on from the top menu, the decide key closes the note as it repeats.
  settle();
  frame({kDecide});
  phase<Camp::QuickSave>();
  i32 frames = 0;
  for (; frames < 60 && camp()->phase(); ++frames) frame({kDecide});
  EXPECT_EQ(frames, 31);  // the key's 32nd frame, its first repeat
  Game::GameFlow::destroy();
}

// A boost costs one more point every four boosts; a parameter boosted 16
// times (or none at all) shows cost 0 and is never boosted again.
TEST(StatusBoostRules, TheCostOfTheNextBoostAndOnlyAnAffordableOneIsTaken) {
  const std::tuple<i32, i32> cases[] = {{0, 1}, {3, 1}, {4, 2}, {11, 3}, {15, 4}, {16, 0}, {40, 0}, {-3, 1}};
  for (const auto& [boosts, cost] : cases) {
    for (i32 parameter : {Game::Parameters::kHp, Game::Parameters::kAgility, Game::Parameters::kPsyche}) {
      PlayerGhost ghost;
      ghost.bonus()[parameter] = boosts;
      EXPECT_EQ(ghost.boostCost(parameter), cost) << boosts << " boosts of " << parameter;
    }
  }
  PlayerGhost ghost;
  EXPECT_EQ(std::tuple(ghost.boostCost(-1), ghost.boostCost(Game::Parameters::kCount)), std::tuple(0, 0));
  // Only an affordable boost with a cost is taken.
  PlayerGhost boosted;
  boosted.gainExperience(nullptr, Game::Experience::forLevel(4), 0);
  ASSERT_EQ(boosted.bonusPoint(), 3);
  Game::Parameters& bonus = boosted.bonus();
  bonus[Game::Parameters::kHp] = 16;       // fully boosted
  bonus[Game::Parameters::kLp] = 12;       // costs 4
  bonus[Game::Parameters::kAgility] = 8;  // costs 3
  EXPECT_FALSE(boosted.boostParameter(Game::Parameters::kHp));
  EXPECT_FALSE(boosted.boostParameter(Game::Parameters::kLp));
  EXPECT_TRUE(boosted.boostParameter(Game::Parameters::kAgility));
  EXPECT_EQ(std::tuple(bonus[Game::Parameters::kHp], bonus[Game::Parameters::kLp], bonus[Game::Parameters::kAgility],
                       boosted.bonusPoint()),
            std::tuple(16, 12, 9, 0));
}

// The gauge fills with the boosts; a row shows boosts, value and the value boosted.
TEST(StatusBoostRules, GaugeAndRowTexts) {
  const std::tuple<i32, float> fractions[] = {{-2, 0.f}, {0, 0.f}, {4, 0.25f}, {12, 0.75f}, {16, 1.f}, {20, 1.f}};
  for (const auto& [boosts, fraction] : fractions)
    EXPECT_EQ(Camp::StatusBoost::gaugeFraction(boosts), fraction) << boosts;
  const std::tuple<Camp::BoostRow, const char*> cases[] = {
      {{2, 65, 66}, " 2    65 →   66"},
      {{12, 1234, 1236}, "12  1234 → 1236"},
      {{0, 80, 81}, "  80"},
  };
  for (const auto& [row, text] : cases) {
    Game::String out;
    Camp::StatusBoost::rowText(out, row);
    EXPECT_STREQ(out.c_str(), text);
  }
}

}  // namespace
