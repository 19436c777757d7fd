#pragma once

#include "Platform/AudioOutput.h"
#include "Platform/Clock.h"
#include "Platform/DebugOutput.h"
#include "Platform/Joysticks.h"
#include "Platform/Keyboard.h"
#include "Platform/GlyphRasterizer.h"
#include "Platform/FileSystem.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/MessageBox.h"
#include "Platform/Mouse.h"
#include "Platform/Processor.h"
#include "Platform/VorbisDecoder.h"
#include "Platform/Window.h"

namespace Platform {

// The one door to the system: the framework reaches the clock, the window,
// the devices and the file system only through the installed backend.
class Backend {
 public:
  virtual ~Backend() = default;
  virtual Clock& clock() = 0;
  virtual MessageBox& messageBox() = 0;
  virtual DebugOutput& debugOutput() = 0;
  virtual Window& window() = 0;
  virtual AudioOutput& audioOutput() = 0;
  virtual Keyboard& keyboard() = 0;
  virtual Mouse& mouse() = 0;
  virtual Joysticks& joysticks() = 0;
  virtual GlyphRasterizer& glyphRasterizer() = 0;
  virtual Processor& processor() = 0;
  virtual FileSystem& fileSystem() = 0;
  virtual GraphicsDevice& graphicsDevice() = 0;
  virtual VorbisDecoder& vorbisDecoder() = 0;
};

// The installed backend; set by the program's entry or a test before use.
Backend& backend();
bool hasBackend();
void setBackend(Backend* backend);

}  // namespace Platform
