#include "Engine/Base/DebugStream.h"

#include <cstdio>
#include <string>

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
// Each thread collects its own line, so that pieces two threads write at once
// never interleave; a whole line is emitted under the lock.
std::string& text() {
  thread_local std::string pending;
  return pending;
}

void emit(const char* line) {
  if (Platform::hasBackend()) {
    Platform::backend().debugOutput().write(line);
  } else {
    std::fputs(line, stderr);
  }
}

}  // namespace

void DebugStream::create() { debugMutex(); }

// Drops what the calling thread has collected without an endl.
void DebugStream::destroy() { text().clear(); }

DebugStream& DebugStream::operator<<(const char* piece) {
  text() += piece ? piece : "";
  return *this;
}

DebugStream& DebugStream::operator<<(const std::string& piece) {
  text() += piece;
  return *this;
}

DebugStream& DebugStream::operator<<(int value) {
  text() += std::to_string(value);
  return *this;
}

DebugStream& DebugStream::operator<<(unsigned value) {
  text() += std::to_string(value);
  return *this;
}

void DebugStream::endLine() {
  std::string& line = text();
  line += '\n';
  {
    DebugLock lock;
    emit(line.c_str());
  }
  line.clear();
}

DebugStream& endl(DebugStream& stream) {
  stream.endLine();
  return stream;
}

}  // namespace Engine
