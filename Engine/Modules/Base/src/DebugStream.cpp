#include "Engine/Base/DebugStream.h"

#include <cstdio>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>

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

// Each thread's unfinished line, so that pieces two threads write at once
// never interleave. Held under the lock; made on first use and never
// destroyed, like the mutex, so that writing during exit stays safe.
std::unordered_map<std::thread::id, std::string>& pendingLines() {
  static auto* lines = new std::unordered_map<std::thread::id, std::string>();
  return *lines;
}

void append(const std::string& piece) {
  DebugLock lock;
  pendingLines()[std::this_thread::get_id()] += piece;
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

// Drops every line collected without an endl.
void DebugStream::destroy() {
  DebugLock lock;
  pendingLines().clear();
}

DebugStream& DebugStream::operator<<(const char* piece) {
  append(piece ? piece : "");
  return *this;
}

DebugStream& DebugStream::operator<<(const std::string& piece) {
  append(piece);
  return *this;
}

DebugStream& DebugStream::operator<<(int value) {
  append(std::to_string(value));
  return *this;
}

DebugStream& DebugStream::operator<<(unsigned value) {
  append(std::to_string(value));
  return *this;
}

void DebugStream::endLine() {
  DebugLock lock;
  std::string line;
  const auto pending = pendingLines().find(std::this_thread::get_id());
  if (pending != pendingLines().end()) {
    line = std::move(pending->second);
    pendingLines().erase(pending);
  }
  line += '\n';
  emit(line.c_str());
}

DebugStream& endl(DebugStream& stream) {
  stream.endLine();
  return stream;
}

}  // namespace Engine
