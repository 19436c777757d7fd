#include "Engine/Base/DebugStream.h"

#include <cstdio>
#include <mutex>

#include "Engine/Base/OStringStream.h"
#include "Platform/Backend.h"

namespace Engine {

DebugStream cout;

namespace {

std::mutex gDebugMutex;
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
  std::lock_guard lock(gDebugMutex);
  text();
}

void DebugStream::destroy() {
  std::lock_guard lock(gDebugMutex);
  delete gDebugText;
  gDebugText = nullptr;
}

DebugStream& DebugStream::operator<<(const char* piece) {
  std::lock_guard lock(gDebugMutex);
  text() << piece;
  return *this;
}

DebugStream& DebugStream::operator<<(const std::string& piece) {
  std::lock_guard lock(gDebugMutex);
  text() << piece;
  return *this;
}

DebugStream& DebugStream::operator<<(int value) {
  std::lock_guard lock(gDebugMutex);
  text() << value;
  return *this;
}

DebugStream& DebugStream::operator<<(unsigned value) {
  std::lock_guard lock(gDebugMutex);
  text() << value;
  return *this;
}

void DebugStream::endLine() {
  std::lock_guard lock(gDebugMutex);
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
