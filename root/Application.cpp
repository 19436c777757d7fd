#include "root/Application.h"

#include "Engine/Framework/Framework.h"
#include "core/config/Config.h"
#include "running/game/GameData.h"
#include "running/game/GameFlow.h"
#include "field/FieldScene.h"
#include "core/input/KeyInput.h"
#include "core/map/MapBuildQueue.h"
#include "core/random/RandomGenerator.h"
#include "core/sound/BGM.h"
#include "core/sound/SoundEffectManager.h"
#include "core/file/FileLoader.h"
#include "menu/ContinueScene.h"
#include "menu/Intermission.h"
#include "menu/TitleScene.h"
#include "presentation/picture/FaceSet.h"
#include "presentation/picture/GuiPictures.h"
#include "presentation/picture/SystemResources.h"
#include "presentation/scene/SceneNodePool.h"
#include "presentation/scene/SceneRenderer.h"
#include "records/constance/Constance.h"
#include "records/Database.h"
#include "root/command/SceneCommandFactory.h"

namespace Game {

using Engine::i32;
using Engine::u32;

namespace {

Application* gInstance = nullptr;
StepHooks* gHooks = nullptr;

constexpr u32 kFrameRateColor = 0xFFFFFFFF;
constexpr i32 kFrameRateX = -384;
constexpr i32 kFrameRateY = -276;

void createSceneRenderer() {
  const Engine::Framework framework = Engine::Framework::instance();
  SceneRenderer::create(static_cast<i32>(framework.width()), static_cast<i32>(framework.height()));
  SceneRenderer::instance()->enableOutput();
}

SceneRenderer& renderer() { return *SceneRenderer::instance(); }

TitleStage* makeTitle(bool hasMemorySave) { return new TitleScene(hasMemorySave); }

FieldSubScene* makeField(GameData& game) { return new FieldScene(game); }

SubScene* makeContinue(GameData& game) { return new ContinueScene(game); }

SubScene* makeCamp(GameData& game, i32 saveMode) { return new Intermission(game, saveMode); }

// The flow and the games it runs make their scenes through these.
void createGameFlow() {
  GameData::setFieldMaker(&makeField);
  GameData::setContinueMaker(&makeContinue);
  FieldScene::setCampMaker(&makeCamp);
  ScriptStuff::SceneCommandMaker::install(&ScriptStuff::SceneCommandFactory::instance());
  GameFlow::create(&makeTitle);
}

}  // namespace

std::vector<ApplicationStep>& Application::steps() {
  static std::vector<ApplicationStep> sSteps = {
      {"file loader", &FileLoader::create, &FileLoader::destroy},
      {"scene renderer", &createSceneRenderer, &SceneRenderer::destroy},
      // The joystick handle lives on past the root.
      {"joystick", &KeyInput::initJoystick, nullptr},
      {"random generator", &RandomGenerator::create, &RandomGenerator::destroy},
      {"floor-build queue", &MapBuildQueue::create, &MapBuildQueue::destroy},
      {"music", &BGM::create, &BGM::destroy},
      {"sound effects", &SoundEffectManager::create, &SoundEffectManager::destroy},
      {"scene-node pool registry", &SceneNodePool::initRegistry, &SceneNodePool::destroyRegistry},
      {"system resources", &SystemResources::create, &SystemResources::destroy},
      {"face pictures", &FaceSet::create, &FaceSet::destroy},
      {"constant tables", &Constance::create, &Constance::destroy},
      {"interface pictures", &GuiPictures::create, &GuiPictures::destroy},
      {"databases", &Database::createAndLoad, &Database::destroy},
      {"game flow", &createGameFlow, &GameFlow::destroy},
  };
  return sSteps;
}

void Application::setStepHooks(StepHooks* hooks) { gHooks = hooks; }

StepHooks* Application::stepHooks() { return gHooks; }

void Application::create() {
  if (!gInstance) {
    gInstance = new Application();
  }
}

void Application::destroy() {
  delete gInstance;
  gInstance = nullptr;
}

Application* Application::instance() { return gInstance; }

// A singleton that fails to come up takes down those made before it.
Application::Application() {
  try {
    for (const ApplicationStep& step : steps()) {
      step.create();
      ++mCreatedSteps;
    }
  } catch (...) {
    destroySingletons();
    throw;
  }
}

Application::~Application() { destroySingletons(); }

void Application::destroySingletons() {
  const std::vector<ApplicationStep>& all = steps();
  while (mCreatedSteps > 0) {
    --mCreatedSteps;
    if (all[mCreatedSteps].destroy) {
      all[mCreatedSteps].destroy();
    }
  }
}

// Only the last step of a frame draws; a fast-forwarded frame shows the sum
// of the steps' frame rates.
bool Application::update() {
  const i32 stepCount = mFastForward ? 2 : 1;
  u32 rateSum = 0;
  for (i32 step = 0; step < stepCount; ++step) {
    renderer().setHidden(step < stepCount - 1);
    rateSum += Engine::Framework::instance().frameRate();
    if (!runStep()) {
      mQuit = true;
      break;
    }
  }
  if (Config::instance().setting(Config::kFps).value() != 0) {
    showFrameRate(rateSum);
  }
  renderer().drawFade();
  mFastForward = !mRecordMode && KeyInput::isPressed(KeyInput::kFastForward);
  return !KeyInput::isPressed(KeyInput::kQuit) && !mQuit;
}

bool Application::runStep() {
  renderer().beginFrame();
  KeyInput::updateJoystick();
  if (GameFlow::instance()->update() != 0) {
    return false;
  }
  renderer().flushLayers(true, true, true, true);
  MapBuildQueue::instance()->update();
  SoundEffectManager::instance()->update();
  captureIfAsked();
  ++mFrameCount;
  return !gHooks || gHooks->afterStep();
}

// One screenshot a press, whatever the number of steps it is held; record
// mode captures every second step instead.
void Application::captureIfAsked() {
  bool capture = false;
  if (KeyInput::isPressed(KeyInput::kScreenshot) && KeyInput::heldFrames(KeyInput::kScreenshot) == 1) {
    capture = true;
    SystemResources::instance()->playSound("saved", 0);
  }
  if (mRecordMode) {
    capture = mFrameCount % 2 == 0;
  }
  if (capture) {
    mNamer.capture();
  }
}

void Application::showFrameRate(u32 rateSum) {
  TextWriter& writer = renderer().textWriter();
  writer.setColor(kFrameRateColor);
  writer.setFont(0);
  writer.setPosition(kFrameRateX, kFrameRateY);
  writer.printNumber(static_cast<i32>(rateSum));
}

}  // namespace Game
