#include "Engine/Base/DebugStream.h"

#include <cstdio>

#include "Engine/Base/OStringStream.h"
#include "Engine/Threading/Mutex.h"
#include "Platform/Backend.h"

namespace Engine {

DebugStream cout;

namespace {

// Made on first use and never destroyed: the stream may be written before the
// framework exists and during the process's exit, from any thread.
Threading::Mutex& debugMutex() {
  static Threading::Mutex* mutex = new Threading::Mutex(Threading::Mutex::create());
  return *mutex;
}

class DebugLock {
 public:
  DebugLock() : mMutex(debugMutex()) { mMutex.lock(); }
  ~DebugLock() { mMutex.unlock(); }
  DebugLock(const DebugLock&) = delete;
  DebugLock& operator=(const DebugLock&) = delete;

 private:
  Threading::Mutex& mMutex;
};
OStringStream* gDebugText = nullptr;

OStringStream& text() {
  if (!gDebugText) {
    gDebugText = new OStringStream(1024);
  }
  return *gDebugText;
}

void emit(const char* line) {
  if (Platform::hasBackend()) {
    Platform::backend().debugOutput().write(line);
  } else {
    std::fputs(line, stderr);
  }
}

}  // namespace

void DebugStream::create() {
  DebugLock lock;
  text();
}

void DebugStream::destroy() {
  DebugLock lock;
  delete gDebugText;
  gDebugText = nullptr;
}

DebugStream& DebugStream::operator<<(const char* piece) {
  DebugLock lock;
  text() << piece;
  return *this;
}

DebugStream& DebugStream::operator<<(const std::string& piece) {
  DebugLock lock;
  text() << piece;
  return *this;
}

DebugStream& DebugStream::operator<<(int value) {
  DebugLock lock;
  text() << value;
  return *this;
}

DebugStream& DebugStream::operator<<(unsigned value) {
  DebugLock lock;
  text() << value;
  return *this;
}

void DebugStream::endLine() {
  DebugLock lock;
  OStringStream& stream = text();
  stream << '\n';
  Array<char> line;
  emit(stream.get(&line));
  stream.clear();
}

DebugStream& endl(DebugStream& stream) {
  stream.endLine();
  return stream;
}

}  // namespace Engine
