#pragma once

#include <memory>

#include "Sound/src/Mixer.h"

namespace Engine::Sound {

// The global sound state: the mixer the audio output pulls. Players share the
// mixer, so one that outlives the manager stays safe to use.
class ManagerImpl {
 public:
  ManagerImpl();
  ~ManagerImpl();
  ManagerImpl(const ManagerImpl&) = delete;
  ManagerImpl& operator=(const ManagerImpl&) = delete;

  // The one instance; halts when there is none.
  static ManagerImpl& instance();

  const std::shared_ptr<Mixer>& mixer() const { return mMixer; }
  bool isAudible() const { return mAudible; }

 private:
  std::shared_ptr<Mixer> mMixer;
  bool mAudible = false;
};

}  // namespace Engine::Sound
