// How a decided battle closes: the broken equipment gathered, then the win,
// the game over, the break or the escape.

#include "battle/EndPhases.h"

#include <algorithm>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "running/game/SubScene.h"
#include "core/input/KeyInput.h"
#include "core/sound/BGM.h"
#include "live/Unit.h"
#include "live/party/PartyMembers.h"
#include "live/unit/PlayerGhost.h"
#include "core/file/DataError.h"
#include "presentation/model/Model.h"
#include "presentation/render/RenderState.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/Database.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

constexpr i32 kBlackFade = 255;
constexpr i32 kPanelFont = 1;
// The panel's top-left corner lies this far right of and above the unit's
// centre on the screen (y up).
constexpr float kPanelShiftX = 40.f;
constexpr float kPanelShiftY = 60.f;

void fadeOut() {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->setFadeTarget(kBlackFade);
  }
}

}  // namespace

void UnitPanel::draw() const {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  Vector3 position;
  mUnit->getPosition(position);
  Vector3 screen;
  renderer->project(&screen, position);
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kPanelFont);
  writer.setColor(kLineColour);
  writer.setPosition(static_cast<i32>(screen.x + kPanelShiftX), static_cast<i32>(screen.y + kPanelShiftY));
  // Each line ends its own: the next goes below it.
  for (const String& line : mLines) {
    writer.print(line.c_str() ? line.c_str() : "");
  }
}

namespace BattleStuff {

i32 Over::run(Battle& battle) {
  if (!mStarted) {
    mStarted = true;
    std::vector<String> lines;
    for (i32 i = 0; i < battle.unitCount(); ++i) {
      mBrokenCount += battle.unitAt(i)->ghost().collectBrokenEquipment(lines);
    }
    for (const String& line : lines) {
      battle.game().pushMessage(line.c_str() ? line.c_str() : "");
    }
  }
  return update();
}

Win::Win(Battle& battle) : mBattle(battle), mGame(battle.game()) {}

// Rewards once; the fanfare; the messages; the panels one by one at the
// player's pace; then the fade.
i32 Win::update() {
  if (!mRewardsGiven) {
    payRewards();
  }
  if (mClosing == 0) {
    if (BGM* music = BGM::instance()) {
      music->play(kFanfare);
    }
  }
  if (!mGame.updateMessages()) {
    return 0;
  }
  if (!mPanels.empty()) {
    UnitPanel& panel = mPanels.front();
    panel.unit().centerCamera();
    panel.draw();
    if (KeyInput::isRepeated(kPanelKey, kPanelRepeat)) {
      mPanels.erase(mPanels.begin());
    }
    return 0;
  }
  fadeOut();
  return ++mClosing >= kClosingFrames ? 1 : 0;
}

void Win::payRewards() {
  paySpoils();
  for (i32 i = 0; i < mBattle.unitCount(); ++i) {
    mBattle.entry(i).popAll();
  }
  std::vector<Unit*> survivors;
  for (i32 i = 0; i < mBattle.unitCount(); ++i) {
    Unit& unit = *mBattle.unitAt(i);
    if (unit.isAlive() && !unit.isBattleGhost()) {
      survivors.push_back(&unit);
    }
  }
  const float factor = rewardFactor(static_cast<i32>(survivors.size()));
  const BattleSpoils& spoils = mBattle.spoils();
  const i32 experience = scaleReward(spoils.experience, factor);
  const i32 master = scaleReward(spoils.masterExperience, factor);
  rewardSurvivors(experience, master, survivors);
  rewardReserves(experience, master);
  if (experience != 0) {
    String line(kExperienceLine);
    line.appendInt(experience);
    mGame.pushMessage(line.c_str());
  }
  if (master != 0) {
    String line(kMasterLine);
    line.appendInt(master);
    mGame.pushMessage(line.c_str());
  }
  mGame.addWinCount();
  mRewardsGiven = true;
}

// Money, dropped items and one piece of scrap per broken piece, under one
// heading.
void Win::paySpoils() {
  AcquisitionNotice& notice = mGame.notice();
  const BattleSpoils& spoils = mBattle.spoils();
  notice.setSource(kSource);
  notice.addMoney(spoils.money);
  for (const ToolData* item : spoils.items) {
    notice.addItem(item);
  }
  if (brokenCount() <= 0) {
    return;
  }
  const ToolData* scrap = Database::instance()->findTool(kScrap);
  if (!scrap) {
    DataError::unknownName(__FILE__, __LINE__, "tool", kScrap);
  }
  for (i32 i = 0; i < brokenCount(); ++i) {
    notice.addItem(scrap);
  }
}

void Win::rewardSurvivors(i32 experience, i32 master, const std::vector<Unit*>& survivors) {
  for (std::size_t i = 0; i < survivors.size(); ++i) {
    Unit& unit = *survivors[i];
    unit.playNamedMotion(kWinMotion, static_cast<float>(kWinMotionStep * static_cast<i32>(i)));
    auto* ghost = dynamic_cast<PlayerGhost*>(&unit.ghost());
    if (!ghost) {
      continue;
    }
    std::vector<String> lines;
    ghost->gainExperience(&lines, experience, master);
    UnitPanel panel(unit);
    for (const String& line : lines) {
      panel.addLine(line.c_str());
    }
    mPanels.push_back(std::move(panel));
  }
}

// Members who do not fight learn too, while they have life left.
void Win::rewardReserves(i32 experience, i32 master) {
  const PartyMembers& members = mGame.party().members();
  const i32 fighters = std::min(members.battleCount(), Battle::kMaxPartyUnits);
  for (i32 i = fighters; i < members.count(); ++i) {
    PlayerGhost& ghost = members.memberAt(i);
    if (ghost.lp() > 0) {
      ghost.gainExperience(nullptr, experience, master);
    }
  }
}

GameOver::GameOver(Battle& battle) : mBattle(battle) { mPicture.load(kPictureFile); }

i32 GameOver::update() {
  if (BGM* music = BGM::instance()) {
    music->stop();
  }
  if (!mStarted) {
    mStarted = true;
    mBattle.game().addLoseCount();
  }
  if (Model* model = mPicture.getModel(0)) {
    model->draw(RenderState(), static_cast<float>(mFrame));
  }
  if (mFrame == kZoomFrame) {
    if (SceneRenderer* renderer = SceneRenderer::instance()) {
      renderer->camera().setZoom(kZoom);
    }
    fadeOut();
  }
  if (mFrame < kLastFrame) {
    ++mFrame;
    return 0;
  }
  lead();
  return 1;
}

// Back to the title, or on to the continue scene with the lose event, or
// nothing more.
void GameOver::lead() {
  GameData& game = mBattle.game();
  switch (mBattle.defeatMode()) {
    case BattleSettings::kGameOver:
      if (GameFlow* flow = GameFlow::instance()) {
        flow->returnToTitle();
      }
      break;
    case BattleSettings::kEscape:
      if (FieldSubScene* field = game.field()) {
        field->requestContinueScene();
      }
      game.requestLoseEvent();
      break;
    default:
      break;
  }
}

i32 Break::update() {
  ++mFrame;
  fadeOut();
  return mFrame >= kFrames ? 1 : 0;
}

Escape::Escape(Battle& battle) : mGame(battle.game()) {
  battle.partyRecord().addEscape(mGame.party().members().battleCount());
  mGame.addEscapeCount();
}

i32 Escape::update() {
  if (!mGame.updateMessages()) {
    return 0;
  }
  ++mFrame;
  fadeOut();
  return mFrame >= kFrames ? 1 : 0;
}

}  // namespace BattleStuff
}  // namespace Game
