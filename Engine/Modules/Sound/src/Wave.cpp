#include "Engine/Sound/Wave.h"

#include "Sound/src/WaveImpl.h"

namespace Engine::Sound {

Wave::Wave(const Wave& other) : mImpl(other.mImpl) { referImpl(mImpl); }

Wave& Wave::operator=(const Wave& other) {
  Impl* shared = other.mImpl;
  referImpl(shared);
  releaseImpl(mImpl);
  mImpl = shared;
  return *this;
}

Wave::~Wave() { release(); }

Wave Wave::create(const char* fileName) { return Wave(Impl::fromFile(fileName)); }

void Wave::release() { releaseImpl(mImpl); }

bool Wave::isReady() const { return mImpl && mImpl->isReady(); }

bool Wave::isError() const { return mImpl && mImpl->isError(); }

}  // namespace Engine::Sound
