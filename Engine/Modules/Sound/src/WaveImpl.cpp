#include "Sound/src/WaveImpl.h"

#include "Engine/Base/DebugStream.h"

namespace Engine::Sound {

Wave::Impl* Wave::Impl::fromBytes(const char* name, const u8* bytes, std::size_t size) {
  Impl* impl = new Impl(name ? name : "");
  impl->read(bytes, size);
  return impl;
}

Wave::Impl* Wave::Impl::fromFile(const char* fileName) {
  Impl* impl = new Impl(fileName ? fileName : "");
  impl->mFile = FileIO::InFile::create(impl->mName.c_str());
  return impl;
}

// The file manager has already reported a file that could not be read.
bool Wave::Impl::isReady() {
  if (mRead) {
    return true;
  }
  if (!mFile || !mFile.isFinished()) {
    return false;
  }
  if (mFile.isError()) {
    mRead = true;
    mError = true;
  } else {
    read(reinterpret_cast<const u8*>(mFile.data()), mFile.size());
  }
  mFile = FileIO::InFile();
  return true;
}

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
