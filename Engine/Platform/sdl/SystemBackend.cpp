#include "Platform/SystemBackend.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <sched.h>
#include <unistd.h>

#include "Platform/SystemGlyphRasterizer.h"
#include "GlDevice.h"
#include "Platform/TextCodec.h"
#include "Platform/VorbisDecoder.h"
#include "SdlAudioOutput.h"
#include "SdlInput.h"
#include "PosixFileSystem.h"
#include "SdlWindow.h"

namespace Platform::Sdl {

namespace {

class SteadyClock : public Clock {
 public:
  std::uint32_t milliseconds() override {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  void sleep(std::uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

// A box needs a display and someone to click it; set MARROWDEEP_NO_MESSAGE_BOX
// (as the smoke tests do) to keep every message on standard error only.
bool canShowBox() {
  if (std::getenv("MARROWDEEP_NO_MESSAGE_BOX")) {
    return false;
  }
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) {
    return false;
  }
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

class SdlMessageBox : public MessageBox {
 public:
  void show(std::string_view text, std::string_view caption, MessageIcon icon) override {
    const std::string utf8Text = sjisToUtf8(text);
    const std::string utf8Caption = sjisToUtf8(caption);
    std::fprintf(stderr, "%s\n%s\n", utf8Caption.c_str(), utf8Text.c_str());
    std::fflush(stderr);
    if (!canShowBox()) {
      return;
    }
    const Uint32 flags = icon == MessageIcon::Error     ? SDL_MESSAGEBOX_ERROR
                         : icon == MessageIcon::Warning ? SDL_MESSAGEBOX_WARNING
                                                        : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), nullptr);
  }
};

class StderrDebugOutput : public DebugOutput {
 public:
  void write(std::string_view text) override {
    const std::string utf8 = sjisToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
  }
};

class SchedProcessor : public Processor {
 public:
  std::uint64_t affinityMask() override {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) != 0) {
      return 0;
    }
    std::uint64_t mask = 0;
    for (int cpu = 0; cpu < 64; ++cpu) {
      if (CPU_ISSET(cpu, &set)) {
        mask |= std::uint64_t{1} << cpu;
      }
    }
    return mask;
  }
};

class SdlSystemBackend : public SystemBackend {
 public:
  void enterProgramDirectory() override {
    if (char* base = SDL_GetBasePath()) {
      if (chdir(base) != 0) {
        std::perror(base);
      }
      SDL_free(base);
    }
  }

  Clock& clock() override { return mClock; }
  MessageBox& messageBox() override { return mMessageBox; }
  DebugOutput& debugOutput() override { return mDebugOutput; }
  Window& window() override { return mWindow; }
  AudioOutput& audioOutput() override { return mAudioOutput; }
  Keyboard& keyboard() override { return mKeyboard; }
  Mouse& mouse() override { return mMouse; }
  Joysticks& joysticks() override { return mJoysticks; }
  GlyphRasterizer& glyphRasterizer() override { return *mGlyphRasterizer; }
  Processor& processor() override { return mProcessor; }
  FileSystem& fileSystem() override { return mFileSystem; }
  GraphicsDevice& graphicsDevice() override { return mGraphicsDevice; }
  VorbisDecoder& vorbisDecoder() override { return *mVorbisDecoder; }

 private:
  SteadyClock mClock;
  SdlMessageBox mMessageBox;
  StderrDebugOutput mDebugOutput;
  SdlWindow mWindow;
  SdlAudioOutput mAudioOutput;
  SdlKeyboard mKeyboard;
  SdlMouse mMouse;
  SdlJoysticks mJoysticks;
  std::unique_ptr<GlyphRasterizer> mGlyphRasterizer = createSystemGlyphRasterizer();
  SchedProcessor mProcessor;
  Posix::PosixFileSystem mFileSystem;
  GlDevice mGraphicsDevice{mWindow};  // after the window: destroyed before it
  std::unique_ptr<VorbisDecoder> mVorbisDecoder = createVorbisFileDecoder();
};

}  // namespace

}  // namespace Platform::Sdl

namespace Platform {

std::unique_ptr<SystemBackend> createSystemBackend() { return std::make_unique<Sdl::SdlSystemBackend>(); }

}  // namespace Platform
