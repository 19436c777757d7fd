// The field's frame: drawing, the way into battles, the fade between floors,
// the camera, the scripts, touches and links, and the player's control.
#include <algorithm>

#include "battle/Battle.h"
#include "running/game/GameData.h"
#include "core/input/KeyInput.h"
#include "core/math/MathHelper.h"
#include "core/sound/BGM.h"
#include "field/CameraAngle.h"
#include "field/EncounterRoll.h"
#include "field/EncounterTransition.h"
#include "field/FieldOverlay.h"
#include "field/FieldScene.h"
#include "map/MapGenerator.h"
#include "presentation/render/RenderState.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/MapSiteData.h"

namespace Game {

using Engine::i32;
using Engine::Math::Vector3;

namespace {

FieldScene::CampMaker gMakeCamp = nullptr;

// The spot light hangs this high over the player, white, at this range.
constexpr float kSpotHeight = 32.f;
constexpr float kSpotRange = 0.5f;
constexpr i32 kFadedOut = 255;
constexpr i32 kFadedIn = 0;
// The step of each direction key (up, right, down, left) before the camera's
// turn; "up" walks toward -x.
constexpr i32 kKeySteps[4][2] = {{-1, 0}, {0, 1}, {1, 0}, {0, -1}};
// The eye stands toward the heading h from the player, so the screen's up
// leads toward h + 180 and "up" turned q quarters toward 180 + 90q: nearest
// when q is h / 90 rounded. The heading is level x 30 + 45, so the quarter
// of level x 30 + 89 is that rounding, the lower quarter at a tie.
constexpr float kQuarterBias = 89.f;
// "ダッシュ" makes a step take 2/3 of its frames.
constexpr i32 kDashNumerator = 2;
constexpr i32 kDashDenominator = 3;

Vector3 raised(const Vector3& point, float height) { return Vector3(point.x, point.y, point.z + height); }

Camera* sceneCamera() {
  SceneRenderer* renderer = SceneRenderer::instance();
  return renderer ? &renderer->camera() : nullptr;
}

void setFadeTarget(i32 level) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->setFadeTarget(level);
  }
}

// Runs the script a frame; true while it waits for something.
bool isBusy(Script& script, GameData& game) { return script.update(game) == Script::kRunning; }

}  // namespace

void FieldScene::setCampMaker(CampMaker maker) { gMakeCamp = maker; }

bool FieldScene::update() {
  ++mUpdates;
  ++mFrame;
  if (mPlayer) {
    refreshValueGrid();
  }
  drawFloor();
  if (mTransition) {
    if (mTransition->update()) {
      mTransition.reset();
    }
    return false;
  }
  if (runSceneChange()) {
    return false;
  }
  aimCamera();
  const bool symbolsMove = runScriptsAndControl();
  mContacts.clear();
  mRemoved.clear();
  if (symbolsMove) {
    moveSymbols();
  }
  mNodes.update();
  return false;
}

void FieldScene::drawFloor() {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (renderer && mSite && mSite->hasSpotLight() && mPlayer) {
    Light& spot = renderer->pointLight();
    spot.setPosition(raised(mPlayer->position(), kSpotHeight));
    spot.setColor(Vector3(1.f, 1.f, 1.f));
    spot.setRange(kSpotRange);
  }
  const RenderState state;
  const float time = static_cast<float>(mFrame);
  mCommonModels.draw(state, time);
  for (const auto& models : mFloorModels) {
    models->draw(state, time);
  }
  mMap.draw(time);
  mNodes.draw();
}

void FieldScene::startEncounter(std::unique_ptr<Battle> battle) {
  mTransition = std::make_unique<Field::EncounterTransition>(mGame, std::move(battle));
}

// A battle of another kind than ours has no way in to play: it starts at once.
void FieldScene::startEncounterTransition(std::unique_ptr<BattleSubScene> battle) {
  if (auto* fight = dynamic_cast<Battle*>(battle.get())) {
    battle.release();
    startEncounter(std::unique_ptr<Battle>(fight));
  } else {
    mGame.setBattle(battle.release());
  }
}

void FieldScene::resume() {
  ++mResumes;
  setFadeTarget(kFadedIn);
  if (Camera* camera = sceneCamera()) {
    camera->reset();
  }
  if (BGM* music = BGM::instance()) {
    music->play(mGame.bgmName());
  }
}

void FieldScene::requestContinueScene() {
  ++mContinueRequests;
  postSceneChange(SceneChangeRequest{});
}

void FieldScene::postSceneChange(const SceneChangeRequest& request) {
  mChange = request;
  mChangeFrame = 0;
  mChangePending = true;
}

bool FieldScene::runSceneChange() {
  if (mChangeSettling) {
    mChangeSettling = false;
    return true;
  }
  if (!mChangePending) {
    return false;
  }
  setFadeTarget(kFadedOut);
  if (++mChangeFrame < kChangeFrames) {
    return true;
  }
  if (Camera* camera = sceneCamera()) {
    camera->reset();
  }
  setFadeTarget(kFadedIn);
  const SceneChangeRequest target = mChange;
  mChange = SceneChangeRequest{};
  mChangePending = false;
  mChangeSettling = true;
  if (target.floor.empty()) {
    mGame.openContinueScene();
  } else {
    changeSceneNow(target);
  }
  return true;
}

void FieldScene::aimCamera() {
  if (!mFollowed) {
    mFollowed = mPlayer;
  }
  Camera* camera = sceneCamera();
  if (!camera) {
    return;
  }
  if (mFollowed) {
    camera->anchor.setTarget(raised(mFollowed->position(), kLookHeight));
  }
  // The heading itself, not through setHeading's offset: the eye stands
  // toward level x 30 + 45 degrees from the player.
  camera->heading.setTarget(static_cast<float>(mAngleLevel) * kAngleStep + kHeadingBase);
  camera->setPitch(mCameraPitch);
  camera->setZoom(kFieldZoom);
}

bool FieldScene::runScriptsAndControl() {
  if (mStartScript) {
    if (mStartScript->update(mGame) != Script::kRunning) {
      mStartScript.reset();
    }
    return true;
  }
  if (!mGame.messageWindow().isIdle()) {
    mGame.messageWindow().draw();
    return false;
  }
  if (runFloorScripts()) {
    return true;
  }
  if (!mTouchQueue.empty()) {
    return runTouch();
  }
  if (!followLink()) {
    controlPlayer();
  }
  return true;
}

// A busy script holds the rest back; one quiet frame follows it.
bool FieldScene::runFloorScripts() {
  if ((mFloorScript && isBusy(*mFloorScript, mGame)) || isBusy(mCommonScript, mGame)) {
    mScriptBusy = true;
    return true;
  }
  if (mScriptBusy) {
    mScriptBusy = false;
    return true;
  }
  return false;
}

bool FieldScene::runTouch() {
  Field::Symbol* touched = mTouchQueue.front();
  bool remove = false;
  if (touched->touch(remove)) {
    mTouchQueue.erase(mTouchQueue.begin());
    if (remove) {
      removeSymbol(*touched);
    }
  }
  return false;
}

bool FieldScene::followLink() {
  if (!mPlayer || mPlayer->isMoving()) {
    return false;
  }
  const Map::Cell* cell = mMap.cellAt(mPlayer->x(), mPlayer->y());
  if (!cell) {
    return false;
  }
  const i32 event = cell->eventId;
  const MapConnection* link = mFloorLinks.connectionFrom(event);
  if (!link && mSiteLinks) {
    link = mSiteLinks->connectionFrom(event);
  }
  if (link && !link->file.empty()) {
    postSceneChange(SceneChangeRequest{link->site ? link->site : mSite, link->file, link->position});
  } else if (link || (mSiteLinks && mSiteLinks->isEscape(event))) {
    requestContinueScene();
  } else {
    return false;
  }
  return true;
}

void FieldScene::removeSymbol(Field::Symbol& symbol) {
  const auto owned = std::find_if(mSymbols.begin(), mSymbols.end(),
                                  [&](const std::unique_ptr<Field::Symbol>& s) { return s.get() == &symbol; });
  if (owned == mSymbols.end()) {
    return;
  }
  mTouchQueue.erase(std::remove(mTouchQueue.begin(), mTouchQueue.end(), &symbol), mTouchQueue.end());
  mPlayer = mPlayer == &symbol ? nullptr : mPlayer;
  mFollowed = mFollowed == &symbol ? nullptr : mFollowed;
  mRemoved.push_back(std::move(*owned));
  mSymbols.erase(owned);
}

// A symbol's update may add symbols: walk by index over those there now.
void FieldScene::moveSymbols() {
  std::vector<Field::Symbol*> live;
  for (const auto& symbol : mSymbols) {
    live.push_back(symbol.get());
  }
  for (Field::Symbol* symbol : live) {
    if (symbol->update()) {
      removeSymbol(*symbol);
    }
  }
}

void FieldScene::controlPlayer() {
  if (!mPlayer) {
    return;
  }
  mPlayer->setAngle(mPlayer->angle());
  if (mPlayer->hasArrived() && !mPlayer->isMoving() && Field::rollEncounter(encounterTable(), *this)) {
    return;
  }
  stepPlayer();
  turnCamera();
  if (KeyInput::isTriggered(kCampKey) && gMakeCamp) {
    mGame.setIntermission(gMakeCamp(mGame, saveMode()));
  }
  mFollowed = mPlayer;
  mCameraPitch = static_cast<float>(static_cast<i32>(kBasePitch + (mSite ? mSite->angle() : 0.f) + mFloorAngle));
  if (mGenerator) {
    mGenerator->reveal(mMapped, mPlayer->x(), mPlayer->y(), 2 * fieldAbilities().clairvoyance + 1);
  }
  drawOverlay();
}

void FieldScene::stepPlayer() {
  const i32 direction = KeyInput::latestDirection();
  if (direction < 0 || mPlayer->isMoving() || mPlayer->hasCommands()) {
    return;
  }
  const i32 turns = MathHelper::quadrant(static_cast<float>(mAngleLevel) * kAngleStep + kQuarterBias);
  i32 dx = 0;
  i32 dy = 0;
  MathHelper::rotateQuarter(&dx, &dy, kKeySteps[direction][0], kKeySteps[direction][1], turns);
  i32 time = KeyInput::isPressed(kSlowKey) ? 2 * kStepFrames : kStepFrames;
  if (fieldAbilities().dash) {
    time = time * kDashNumerator / kDashDenominator;
  }
  mPlayer->move("move", time, dx, dy);
  mPlayer->move("delete", 0);
}

void FieldScene::turnCamera() {
  if (mFixedAngle) {
    return;
  }
  mAngleLevel = CameraAngle::bounded(mAngleLevel);
  if (KeyInput::isRepeated(kTurnLeftKey, kTurnRepeat)) {
    --mAngleLevel;
  }
  if (KeyInput::isRepeated(kTurnRightKey, kTurnRepeat)) {
    ++mAngleLevel;
  }
}

// The floor number with "階", the compass ("cursor", "ring") and, unless
// key 5 is held, the automap, as the camera stands this frame.
void FieldScene::drawOverlay() {
  FieldOverlayView view;
  view.floorNumber = mGame.variables().getInteger("floor");
  view.frame = mFrame;
  if (const Camera* camera = sceneCamera()) {
    view.pitch = camera->pitch.value();
    view.yaw = camera->heading.value();
  }
  view.mapHeld = KeyInput::isPressed(kMapKey);
  view.generator = mGenerator.get();
  view.mappedCells = &mMapped;
  view.hasPlayer = mPlayer != nullptr;
  if (mPlayer) {
    view.playerX = mPlayer->x();
    view.playerY = mPlayer->y();
  }
  if (mGenerator && !mGenerator->findEvent(mGenerator->config().stairsEvent, &view.stairsX, &view.stairsY)) {
    view.stairsX = view.stairsY = -1;
  }
  FieldOverlay().draw(view);
}

}  // namespace Game
