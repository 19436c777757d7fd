#include "Sound/src/ManagerImpl.h"

#include "Engine/Base/Assert.h"
#include "Engine/Base/DebugStream.h"
#include "Engine/Sound/Manager.h"
#include "Platform/Backend.h"

namespace Engine::Sound {

namespace {
ManagerImpl* gManagerImpl = nullptr;
}

ManagerImpl::ManagerImpl() : mMixer(std::make_shared<Mixer>()) {
  mAudible = Platform::backend().audioOutput().start(*mMixer);
  mMixer->setSilent(!mAudible);
  if (!mAudible) {
    cout << "Sound : no audio device. running silent." << endl;
  }
}

ManagerImpl::~ManagerImpl() { Platform::backend().audioOutput().stop(); }

ManagerImpl& ManagerImpl::instance() {
  ENGINE_ASSERT(gManagerImpl && "Sound::Manager : the manager hasn't been created.");
  return *gManagerImpl;
}

void Manager::create() {
  ENGINE_ASSERT(!gManagerImpl);
  gManagerImpl = new ManagerImpl();
}

void Manager::destroy() {
  delete gManagerImpl;
  gManagerImpl = nullptr;
}

}  // namespace Engine::Sound
