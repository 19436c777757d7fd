// What the battle shows: its scene, flashes, nodes, captions and the screen
// effect of stopped time; its camera and sounds; what effects ask of them.

#include <algorithm>
#include <cstring>

#include "battle/Battle.h"
#include "battle/UnitStatusIcons.h"
#include "running/game/GameData.h"
#include "core/string/String.h"
#include "live/Unit.h"
#include "map/Map.h"
#include "presentation/render/RenderState.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/database/MapSiteData.h"

namespace Game {

using Engine::i32;
using Engine::u32;
using Engine::Math::Vector3;

namespace {

constexpr const char* kSceneFolder = "src/picture/scene/";
constexpr const char* kSceneSuffix = ".txt";
constexpr i32 kShortFlash = 4;
constexpr u32 kOpaqueBlack = 0xFF000000;
constexpr u32 kHalfWhite = 0x80FFFFFF;
// The camera's default: looking at a point over the middle of the field,
// from the side, at the usual pitch and distance.
const Vector3 kCameraCentre(0.f, 0.f, 32.f);
constexpr float kCameraHeading = 0.f;
constexpr float kCameraPitch = 30.f;
constexpr float kCameraRoll = 0.f;
constexpr float kCameraDistance = 1.f;
constexpr float kCameraZoom = 1.f;
// A caption stays over its side's half of the screen for a while.
constexpr i32 kCaptionFrames = 90;
constexpr i32 kCaptionFont = 1;
constexpr i32 kCaptionX[2] = {-360, 40};
constexpr i32 kCaptionY = 270;
constexpr u32 kCaptionColour = 0xFFFFFFFF;

}  // namespace

void Battle::loadScene(const char* sceneName) {
  const FieldSubScene* field = mGame.field();
  const MapSiteData* site = field ? field->currentSite() : nullptr;
  const char* name = sceneName ? sceneName : site ? site->scene() : nullptr;
  if (!name || !*name) {
    return;
  }
  String path(kSceneFolder);
  path.append(name);
  path.append(kSceneSuffix);
  mSceneModels.load(path.c_str());
}

// The scene in the dim's light, the flash, the nodes, the units' icons and
// messages, the screen effect, the caption.
void Battle::present() {
  RenderState lit;
  const float brightness = mDim.value();
  lit.colors.ambient.set(brightness, brightness, brightness);
  mSceneModels.draw(lit, static_cast<float>(mFrame));
  SceneRenderer* renderer = SceneRenderer::instance();
  if (mFlashFrames > 0) {
    if (renderer) {
      renderer->fillScreen(Color(mFlashColour));
    }
    --mFlashFrames;
  }
  drawHighlights();
  mNodes.draw();
  for (const std::unique_ptr<UnitEntry>& entry : mUnits) {
    UnitStatusIcons::draw(mNodes, entry->current());
  }
  drawStatusWindows();
  drawScreenEffect();
  drawCaption();
  drawFloatingTexts();
}

// Effects switch the screen effect as time stops and starts: while the
// switch and the stopped time disagree, the scene drawn so far shows in
// negative once.
void Battle::drawScreenEffect() {
  const bool worldHeld = std::any_of(mUnits.begin(), mUnits.end(), [](const std::unique_ptr<UnitEntry>& entry) {
    return entry->current().worldLevel() > 0;
  });
  if (mScreenEffect == worldHeld) {
    return;
  }
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->flushLayers(true, true, true, true);
    renderer->invertScreen();
  }
  mScreenEffect = false;
}

void Battle::showCaption(const char* text, i32 side) {
  mCaption.assign(text ? text : "");
  mCaptionSide = side & 1;
  mCaptionFrames = kCaptionFrames;
}

void Battle::drawCaption() {
  if (mCaptionFrames <= 0) {
    return;
  }
  --mCaptionFrames;
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer || !mCaption.c_str()) {
    return;
  }
  TextWriter& writer = renderer->textWriter();
  writer.setFont(kCaptionFont);
  writer.setColor(kCaptionColour);
  writer.setPosition(kCaptionX[mCaptionSide], kCaptionY);
  writer.print(mCaption.c_str());
}

void Battle::flash(u32 argb, i32 frames) {
  mFlashColour = argb;
  mFlashFrames = frames;
}

void Battle::flashBlack() { flash(kOpaqueBlack, kShortFlash); }

void Battle::flashWhite() { flash(kHalfWhite, kShortFlash); }

void Battle::resetCamera() {
  SceneRenderer* renderer = SceneRenderer::instance();
  if (!renderer) {
    return;
  }
  Camera& camera = renderer->camera();
  camera.anchor.setTarget(kCameraCentre);
  camera.setHeading(kCameraHeading);
  camera.setPitch(kCameraPitch);
  camera.setRoll(kCameraRoll);
  camera.setDistance(kCameraDistance);
  camera.setZoom(kCameraZoom);
}

void Battle::centerCamera(const Unit& unit) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    Vector3 position;
    unit.getPosition(position);
    renderer->camera().lookAt(position);
  }
}

i32 Battle::musicKindFromName(const char* name) {
  return name && std::strcmp(name, "default") == 0 ? kOrdinaryMusic : kBossMusic;
}

// The list is read on the first sound: a battle without sounds reads none.
void Battle::playBattleSound(const char* key, i32 delay) {
  if (!mSoundsLoaded) {
    mSounds.load(kSoundFile);
    mSoundsLoaded = true;
  }
  mSounds.play(key, delay);
}

void Battle::EffectStage::setCameraZoom(float zoom) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().setZoom(zoom);
  }
}

void Battle::EffectStage::setCameraHeading(float degrees) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().setHeading(degrees);
  }
}

void Battle::EffectStage::setCameraPitch(float degrees) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().setPitch(degrees);
  }
}

void Battle::EffectStage::setCameraDistance(float factor) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().setDistance(factor);
  }
}

void Battle::EffectStage::setCameraShake(float z) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->camera().setShake(z);
  }
}

void Battle::EffectStage::setAspectScale(float scale) {
  if (SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->setAspectScale(scale);
  }
}

void Battle::EffectStage::project(Vector3& out, const Vector3& worldPoint) const {
  if (const SceneRenderer* renderer = SceneRenderer::instance()) {
    renderer->project(&out, worldPoint);
  } else {
    out = worldPoint;
  }
}

}  // namespace Game
