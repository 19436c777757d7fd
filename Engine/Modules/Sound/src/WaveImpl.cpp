#include "Sound/src/WaveImpl.h"

#include "Engine/Base/DebugStream.h"

namespace Engine::Sound {

Wave::Impl* Wave::Impl::fromBytes(const char* name, const u8* bytes, std::size_t size) {
  Impl* impl = new Impl(name ? name : "");
  impl->read(bytes, size);
  return impl;
}

bool Wave::Impl::isReady() { return mRead; }

void Wave::Impl::read(const u8* bytes, std::size_t size) {
  mRead = true;
  WaveContents contents;
  if (const char* problem = readWave(bytes, size, contents)) {
    mError = true;
    cout << "Sound : " << problem << " ( " << mName << " )" << endl;
    return;
  }
  mFormat = contents.format;
  mSamples.assign(contents.samples, contents.samples + contents.size);
}

}  // namespace Engine::Sound
