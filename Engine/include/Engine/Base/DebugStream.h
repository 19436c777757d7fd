#pragma once

#include <string>

#include "Engine/Base/Types.h"

namespace Engine {

class DebugStream;
using DebugManipulator = DebugStream& (*)(DebugStream&);

// The debug text stream: pieces are collected until endl, which emits the
// whole line to the platform's debug output. Any thread may write.
class DebugStream {
 public:
  DebugStream& operator<<(const char* text);
  DebugStream& operator<<(const std::string& text);
  DebugStream& operator<<(int value);
  DebugStream& operator<<(unsigned value);
  DebugStream& operator<<(DebugManipulator manipulator) { return manipulator(*this); }

  // Created by the framework object's constructor, released by its destructor.
  // Text written while no stream exists is collected by a fresh one.
  static void create();
  static void destroy();

  void endLine();
};

DebugStream& endl(DebugStream& stream);

extern DebugStream cout;

}  // namespace Engine
