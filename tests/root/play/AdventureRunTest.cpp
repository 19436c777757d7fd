// The whole adventure played by a simple policy through the real program on
// the platform fakes, drawing nothing: from a new game on the title to the
// ending's save dialog. Its bounds are battles and frames of game time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "Engine/Framework/Framework.h"
#include "Engine/Framework/WindowCreator.h"
#include "PlatformFake/FakeBackend.h"
#include "battle/Battle.h"
#include "battle/CommandMenu.h"
#include "battle/CommandPhase.h"
#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "core/input/KeyInput.h"
#include "core/math/MathHelper.h"
#include "core/random/RandomGenerator.h"
#include "live/Party.h"
#include "field/Door.h"
#include "field/FieldScene.h"
#include "core/file/FileSystem.h"
#include "menu/ContinueScene.h"
#include "presentation/scene/SceneRenderer.h"
#include "presentation/widget/MessageWindow.h"
#include "presentation/widget/NumberInput.h"
#include "records/Database.h"
#include "running/script/Script.h"
#include "root/Application.h"
#include "root/FrameFunction.h"
#include "tests/core/file/FileManagerFixture.h"
#include "tests/root/play/GameFolderOnFakes.h"

namespace {

namespace fs = std::filesystem;
using Engine::i32;
using Engine::u32;

constexpr i32 kFramesPerMinute = 60 * 60;
// A first play ends within these: past them the run fails.
constexpr i32 kBattleBound = 60;
constexpr i32 kFrameBound = 60 * kFramesPerMinute;
constexpr const char* kMine = "灰の坑道";
// The events of the ways off a floor: up (or out of the hall), on, out.
constexpr i32 kWayUp = 1;
constexpr i32 kWayOn = 2;
constexpr i32 kWayOut = 3;
// Mio's room on the mine's first floor.
constexpr i32 kMiosRoom = 11;
// Steps without a line after the clear that mean the save dialog is open.
constexpr i32 kSaveDialogSteps = 60;
// The logical keys of deciding and cancelling.
constexpr i32 kDecideKey = 5;
constexpr i32 kCancelKey = 6;

struct Outcome {
  bool ended = false;
  i32 frames = 0;
  i32 battles = 0;
  std::set<std::string> endingTexts;  // the talk shown once the game is cleared
};

u32 bit(i32 key) { return 1u << key; }

// What a newcomer would do, read off the running game each step: press
// through talk, walk the floor's cells to its chests and then its way on,
// fight with the first art the menus offer, leave every menu between.
class AdventureBot final : public Game::StepHooks, public Game::KeyInput::KeySource {
 public:
  explicit AdventureBot(PlatformFake::FakeBackend& fakes) : mFakes(fakes) {
    Game::KeyInput::setKeySource(this);
    Game::Application::setStepHooks(this);
  }
  ~AdventureBot() override {
    Game::Application::setStepHooks(nullptr);
    Game::KeyInput::setKeySource(nullptr);
  }
  AdventureBot(const AdventureBot&) = delete;
  AdventureBot& operator=(const AdventureBot&) = delete;

  void configure(Engine::Framework::Configuration configuration) override {
    configuration.enableVSync(false);
    Engine::Framework::instance().enablePacing(false);
  }
  // What the fakes recorded of the step is dropped: nothing looks at it.
  bool afterStep() override {
    mFakes.fakeGraphicsDevice.calls.clear();
    mFakes.fakeDebugOutput.lines.clear();
    const Game::GameData* game = flow() ? flow()->game() : nullptr;
    if (game && dynamic_cast<const Game::FieldScene*>(game->field())) {
      ++outcome.frames;
    }
    if (game) {
      outcome.battles = game->variables().getInteger("battleCount");
      // The ending's lines each wait for a press; once they are through, the
      // save dialog holds the field with no line shown.
      Game::MessageWindow& window = const_cast<Game::GameData*>(game)->messageWindow();
      const bool cleared = game->variables().getInteger("clear") == 1;
      if (cleared && window.box().isActive()) outcome.endingTexts.insert(window.box().text().c_str());
      const bool quiet = cleared && !game->battle() && window.isIdle();
      mQuietSteps = quiet ? mQuietSteps + 1 : 0;
      outcome.ended = mQuietSteps > kSaveDialogSteps;
    }
    // Steps off the field (menus between outings) are bounded too.
    return !outcome.ended && outcome.frames < kFrameBound && ++mAllSteps < 2 * kFrameBound &&
           outcome.battles <= kBattleBound;
  }
  // Read at the start of every step: the step draws nothing, and the loads
  // asked for so far have landed.
  u32 nextKeys() override {
    FileTestSupport::awaitReads();
    Game::SceneRenderer::instance()->setHidden(true);
    return policyKeys();
  }

  Outcome outcome;

 private:
  u32 policyKeys() {
    ++mStep;
    Game::GameFlow* running = flow();
    if (!running) return 0;
    if (running->title()) return tap(kDecideKey);
    Game::GameData* game = running->game();
    if (!game) return 0;
    if (game->battle()) return fight(*game);
    mBattle = nullptr;
    if (game->intermission()) return tap(kCancelKey);
    if (auto* between = dynamic_cast<Game::ContinueScene*>(game->shop())) return chooseDestination(*between);
    if (game->shop()) return tap(kCancelKey);
    auto* field = dynamic_cast<Game::FieldScene*>(game->field());
    if (!field) return 0;
    // Talk, notices and whatever a script waits on go by the decide key.
    const bool scriptBusy = (field->floorScript() && !field->floorScript()->isIdle()) || !field->commonScript().isIdle();
    if (!game->messageWindow().isIdle() || game->messages().count() > 0 || field->startScript() || scriptBusy ||
        !field->player()) {
      return tap(kDecideKey);
    }
    return walk(*game, *field);
  }

  static Game::GameFlow* flow() { return Game::GameFlow::instance(); }
  // A key pressed every other step, so that each press is a new one.
  u32 tap(i32 key) const { return mStep % 2 ? bit(key) : 0; }

  // The first usable art on its first target: "コマンド" on the main list,
  // the first row of the panel, else (an art it cannot pay, say) the next
  // one; every other screen goes on by the decide key.
  u32 fight(Game::GameData& game) {
    auto* battle = dynamic_cast<Game::Battle*>(game.battle());
    if (battle != mBattle) {
      mBattle = battle;
      mBattleStep = 0;
      const auto* field = dynamic_cast<const Game::FieldScene*>(game.field());
      mBossBattle = field && std::strcmp(field->floorName(), "b4") == 0;
    }
    // Beaten by the boss: the next trip starts from the second floor and
    // gathers experience on the way down. (A lost battle sends the game on
    // before the field comes back, so it is read here.)
    mRetreat = mRetreat || (mBossBattle && battle && battle->over() && game.battleResult() < 0);
    const i32 i = ++mBattleStep;
    if (i % 8) return 0;
    auto* command = battle ? dynamic_cast<Game::BattleStuff::Command*>(battle->runningPhase()) : nullptr;
    if (!command || command->menuCount() == 0) return bit(kDecideKey);
    Game::CommandMenu& menu = command->menu(command->current());
    if (menu.warningCount() > 0 || menu.targetMenu()) return bit(kDecideKey);
    if (menu.itemMenu()) return bit(kCancelKey);
    const std::pair member{battle->turn(), command->current()};
    if (member != mMember) {
      mMember = member;
      mTries = 0;
    }
    // A member none of whose panel's rows can be used guards instead.
    const bool guard = mTries > 6;
    if (!menu.isPanelMode()) {
      // A row the cursor cannot reach (greyed) leaves it where it stays.
      const i32 cursor = menu.mainList().list().cursor();
      const i32 wanted = guard ? 1 : 0;
      if (cursor == wanted || ++mMoves % 6 == 0) return bit(kDecideKey);
      return bit(cursor < wanted ? Game::KeyInput::kDown : Game::KeyInput::kUp);
    }
    if (guard) return bit(kCancelKey);
    // Throwing is passed over: the bag seldom holds what it throws.
    const Game::ArtsPanel& panel = menu.panel(menu.panelIndex());
    if (panel.hasArtSelected() && std::strcmp(panel.selectedAbility().name(), Game::CommandMenu::kThrowArt) == 0) {
      ++mTries;
      return bit(Game::KeyInput::kDown);
    }
    // A decide that opened nothing: the row cannot be used; try the next.
    return bit(++mTries % 2 ? kDecideKey : Game::KeyInput::kDown);
  }

  // The mine, from its deepest floor reached (after a lost boss battle,
  // from the second).
  u32 chooseDestination(Game::ContinueScene& scene) {
    if (const Game::NumberInput* floor = scene.floorInput()) {
      if (mRetreat && floor->value() > 2) return tap(Game::KeyInput::kDown);
      mRetreat = false;
      return tap(kDecideKey);
    }
    // The list takes keys under the talk's last line.
    if (scene.isScriptRunning() || scene.chosen()) {
      return tap(kDecideKey);
    }
    const Game::ListMenu& list = scene.destinations();
    const Game::MapSiteData* mine = Game::Database::instance()->findSite(kMine);
    i32 wanted = -2;
    for (i32 i = 0; i < Game::Database::instance()->siteCount(); ++i) {
      if (Game::Database::instance()->siteAt(i) == mine) wanted = i;
    }
    const Game::Widget::Widget* row = list.item(list.cursor());
    return tap(row && row->id == wanted ? kDecideKey : Game::KeyInput::kDown);
  }

  u32 walk(Game::GameData& game, Game::FieldScene& field) {
    Game::Field::Symbol& player = *field.player();
    if (player.isMoving() || player.hasCommands()) return 0;
    const std::string floor = std::string(field.siteName()) + "/" + field.floorName();
    if (floor != mFloor) {
      mFloor = floor;
      mVisited.clear();
    }
    const std::vector<std::pair<i32, i32>> path = pathToGoal(game, field);
    if (path.empty()) {
      return 0;
    }
    const auto [dx, dy] = std::pair(path.front().first - player.x(), path.front().second - player.y());
    // The keys step by (-1, 0), (0, 1), (1, 0), (0, -1), turned with the camera.
    const i32 turns = Game::MathHelper::quadrant(static_cast<float>(field.angleLevel() * 30 + 89));
    const i32 keys[] = {Game::KeyInput::kUp, Game::KeyInput::kRight, Game::KeyInput::kDown, Game::KeyInput::kLeft};
    const std::pair<i32, i32> steps[] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
    for (i32 k = 0; k < 4; ++k) {
      auto [sx, sy] = steps[k];
      for (i32 t = 0; t < ((turns % 4) + 4) % 4; ++t) std::tie(sx, sy) = std::pair(-sy, sx);
      if (sx == dx && sy == dy) return tap(keys[k]);
    }
    return 0;
  }

  // The cells to walk, nearest goal first: a chest, Mio's room on the
  // first floor, the way on (the stairs, the hall's way out, the shade);
  // with none in reach (a generated floor may lay its rope up across the
  // only passage to the stairs), a way off, to come down again.
  std::vector<std::pair<i32, i32>> pathToGoal(Game::GameData& game, Game::FieldScene& field, bool off = false) {
    const Game::Map& map = field.map();
    const Game::Field::Symbol& player = *field.player();
    std::set<std::pair<i32, i32>> blocked;
    std::set<std::pair<i32, i32>> chests;
    std::pair<i32, i32> shade{-1, -1};
    for (const auto& symbol : field.symbols()) {
      const std::pair at{symbol->x(), symbol->y()};
      if (symbol->isContainer()) chests.insert(at);
      if (symbol->name() == "影法師") shade = at;
      if (const auto* door = dynamic_cast<const Game::Field::Door*>(symbol->parameter())) {
        const Game::ToolData* key = Game::Database::instance()->findTool(door->key().c_str());
        if (door->key() != Game::Field::Door::kSystemKey && key && game.bag().countItem(key) == 0) {
          blocked.insert(at);
        }
      }
    }
    std::set<i32> ways = {std::strcmp(field.floorName(), "hall") == 0 ? kWayUp : kWayOn};
    if (std::strcmp(field.floorName(), "b1") == 0 && game.party().activeCount() < 2 && !mVisited.count(kMiosRoom)) {
      ways = {kMiosRoom};
    }
    if (off) ways = {kWayUp, kWayOut};
    const auto isGoal = [&](i32 x, i32 y) {
      const Game::Map::Cell* cell = map.cellAt(x, y);
      if (chests.count({x, y})) return true;
      if (shade.first >= 0) return std::pair(x, y) == shade;
      return cell && ways.count(cell->eventId) > 0;
    };
    // Breadth first over the cells the player may enter, never through a
    // way off the floor that is not the goal.
    std::vector<std::pair<i32, i32>> from(static_cast<std::size_t>(map.width() * map.height()), {-2, -2});
    const auto index = [&](i32 x, i32 y) { return static_cast<std::size_t>(y * map.width() + x); };
    std::deque<std::pair<i32, i32>> queue{{player.x(), player.y()}};
    from[index(player.x(), player.y())] = {-1, -1};
    while (!queue.empty()) {
      const auto [x, y] = queue.front();
      queue.pop_front();
      if ((x != player.x() || y != player.y()) && isGoal(x, y)) {
        if (const Game::Map::Cell* cell = map.cellAt(x, y); cell && cell->eventId == kMiosRoom) {
          mVisited.insert(kMiosRoom);
        }
        std::vector<std::pair<i32, i32>> path;
        for (std::pair at{x, y}; at != std::pair(player.x(), player.y()); at = from[index(at.first, at.second)]) {
          path.push_back(at);
        }
        std::reverse(path.begin(), path.end());
        return path;
      }
      const Game::Map::Cell* here = map.cellAt(x, y);
      for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
        const i32 nx = x + dx;
        const i32 ny = y + dy;
        const Game::Map::Cell* next = map.cellAt(nx, ny);
        if (!next || !next->isPassable() || from[index(nx, ny)].first != -2 || blocked.count({nx, ny})) continue;
        const i32 rise = next->height - here->height;
        if (rise * rise >= 5) continue;
        if (next->eventId >= kWayUp && next->eventId <= kWayOut && !isGoal(nx, ny)) continue;
        from[index(nx, ny)] = {x, y};
        queue.emplace_back(nx, ny);
      }
    }
    return off ? std::vector<std::pair<i32, i32>>{} : pathToGoal(game, field, true);
  }

  PlatformFake::FakeBackend& mFakes;
  i32 mStep = 0;
  i32 mAllSteps = 0;
  i32 mBattleStep = 0;
  const Game::Battle* mBattle = nullptr;
  i32 mTries = 0;
  i32 mQuietSteps = 0;
  bool mBossBattle = false;
  bool mRetreat = false;
  i32 mMoves = 0;
  std::pair<i32, i32> mMember{-1, -1};
  std::string mFloor;
  std::set<i32> mVisited;
};

class AdventureRunTest : public ::testing::TestWithParam<int> {
 protected:
  Outcome play(int seed) {
    Game::FileSystem::setHome(mHome.string().c_str());
    Game::RandomGenerator::fixStartSeed(seed);
    std::ofstream(mHome / "config.ini") << "BGM 0;";  // no music thread
    AdventureBot bot(mBackend);
    Engine::WindowCreator::run(Game::gameEntry());
    Game::RandomGenerator::fixStartSeed(std::nullopt);
    Game::FileSystem::setHome("");
    return bot.outcome;
  }

  GameFolderOnFakes mFolder{"marrowdeep_adventure_"};
  DiskBackedFakes& mBackend = mFolder.backend;
  const fs::path& mHome = mFolder.home;
};

// What it prints (battles and game time) is for people; only the ending,
// its narration shown to its last line, and the bounds are checked.
TEST_P(AdventureRunTest, ANewcomerReachesTheEnding) {
  const Outcome outcome = play(GetParam());
  std::cout << "seed " << GetParam() << ": " << outcome.battles << " battles, "
            << outcome.frames / kFramesPerMinute << " minutes" << std::endl;
  EXPECT_TRUE(outcome.ended);
  for (const std::string line : {"こうして灰の坑道から影は消え", "おわり", "この旅を記録すれば"}) {
    const auto shown = [&](const std::string& text) { return text.starts_with(line); };
    EXPECT_TRUE(std::ranges::any_of(outcome.endingTexts, shown)) << line;
  }
  EXPECT_LE(outcome.battles, kBattleBound);
}

INSTANTIATE_TEST_SUITE_P(Seeds, AdventureRunTest, ::testing::Values(1, 2, 3, 4, 5, 6));

}  // namespace
