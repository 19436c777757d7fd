#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Engine/Base/ReferenceType.h"
#include "Engine/FileIO/InFile.h"
#include "Engine/Sound/Wave.h"
#include "Sound/src/WaveReader.h"

namespace Engine::Sound {

class Wave::Impl : public ReferenceType {
 public:
  explicit Impl(std::string name) : mName(std::move(name)) {}

  // A wave read from the file of that name once the file manager has loaded it.
  static Impl* fromFile(const char* fileName);
  // A wave read at once from bytes in memory.
  static Impl* fromBytes(const char* name, const u8* bytes, std::size_t size);

  bool isReady();
  bool isError() const { return mError; }

  const SampleFormat& format() const { return mFormat; }
  const std::vector<u8>& samples() const { return mSamples; }

 private:
  // Keeps the samples, or sets the error flag and writes one line naming
  // the file and what is wrong with it.
  void read(const u8* bytes, std::size_t size);

  std::string mName;
  FileIO::InFile mFile;  // released once read
  std::vector<u8> mSamples;
  SampleFormat mFormat;
  bool mRead = false;
  bool mError = false;
};

}  // namespace Engine::Sound
