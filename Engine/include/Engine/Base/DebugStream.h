#pragma once

#include <string>

#include "Engine/Base/Types.h"

namespace Engine {

class DebugStream;
using DebugManipulator = DebugStream& (*)(DebugStream&);

// The debug text stream: each thread's pieces are collected until its endl,
// which emits the whole line to the platform's debug output. Any thread may
// write; lines of two threads never mix.
class DebugStream {
 public:
  DebugStream& operator<<(const char* text);
  DebugStream& operator<<(const std::string& text);
  DebugStream& operator<<(int value);
  DebugStream& operator<<(unsigned value);
  DebugStream& operator<<(DebugManipulator manipulator) { return manipulator(*this); }

  // Called by the framework object's constructor and destructor; destroy drops
  // every unfinished line.
  static void create();
  static void destroy();

  void endLine();
};

DebugStream& endl(DebugStream& stream);

extern DebugStream cout;

}  // namespace Engine
