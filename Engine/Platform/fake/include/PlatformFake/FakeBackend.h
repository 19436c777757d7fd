#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "Platform/Backend.h"
#include "PlatformFake/FakeAudioOutput.h"
#include "PlatformFake/FakeGlyphRasterizer.h"
#include "PlatformFake/FakeFileSystem.h"
#include "PlatformFake/FakeGraphicsDevice.h"
#include "PlatformFake/FakeVorbisDecoder.h"

namespace PlatformFake {

// A clock that moves only when slept on (or when told to).
class FakeClock : public Platform::Clock {
 public:
  std::uint32_t milliseconds() override;
  void sleep(std::uint32_t ms) override;

  std::uint32_t now = 0;
  std::uint32_t advancePerRead = 0;  // simulated work between readings
  std::uint32_t sleptTotal = 0;
  std::uint32_t sleepCalls = 0;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  Platform::MessageIcon icon;
};

class FakeMessageBox : public Platform::MessageBox {
 public:
  void show(std::string_view text, std::string_view caption, Platform::MessageIcon icon) override;
  std::vector<ShownMessage> shown;
};

class FakeDebugOutput : public Platform::DebugOutput {
 public:
  void write(std::string_view text) override;
  std::vector<std::string> lines;
};

// A window whose events are scripted by the test.
class FakeWindow : public Platform::Window {
 public:
  bool create(const Platform::WindowDesc& desc) override;
  void destroy() override;
  bool pollEvent(Platform::WindowEvent& event) override;
  void setFullScreen(bool fullScreen) override;
  void acceptDrops(bool accept) override;
  void drawableSize(std::uint32_t& width, std::uint32_t& height) override;

  void push(Platform::WindowEventType type);
  void push(const Platform::WindowEvent& event);

  bool failCreate = false;
  bool exists = false;
  int createCount = 0;
  int destroyCount = 0;
  int polls = 0;
  bool dropsAccepted = false;
  Platform::WindowDesc desc;
  std::vector<bool> fullScreenCalls;
  std::deque<Platform::WindowEvent> events;
};

// Keys the test holds down; read() reports them as they stand.
class FakeKeyboard : public Platform::Keyboard {
 public:
  void read(Platform::KeyStates& down) override;
  void press(Platform::Key key) { down[static_cast<std::size_t>(key)] = true; }
  void release(Platform::Key key) { down[static_cast<std::size_t>(key)] = false; }

  Platform::KeyStates down{};
  int reads = 0;
};

class FakeMouse : public Platform::Mouse {
 public:
  Platform::MouseState read() override { return state; }
  Platform::MouseState state;
};

// One scripted joystick: its state as the test sets it, or unreadable.
struct FakeJoystick {
  Platform::JoystickState state;
  bool readable = true;
};

class FakeJoysticks : public Platform::Joysticks {
 public:
  int open() override;
  void close() override;
  bool read(int index, Platform::JoystickState& state) override;

  std::vector<FakeJoystick> attached;
  bool isOpen = false;
  int openCount = 0;
  int closeCount = 0;
};

// A processor mask set by the test (one processor by default).
class FakeProcessor : public Platform::Processor {
 public:
  std::uint64_t affinityMask() override { return mask; }
  std::uint64_t mask = 1;
};

class FakeBackend : public Platform::Backend {
 public:
  Platform::Clock& clock() override { return fakeClock; }
  Platform::MessageBox& messageBox() override { return fakeMessageBox; }
  Platform::DebugOutput& debugOutput() override { return fakeDebugOutput; }
  Platform::Window& window() override { return fakeWindow; }
  Platform::AudioOutput& audioOutput() override { return fakeAudioOutput; }
  Platform::Keyboard& keyboard() override { return fakeKeyboard; }
  Platform::Mouse& mouse() override { return fakeMouse; }
  Platform::Joysticks& joysticks() override { return fakeJoysticks; }
  Platform::GlyphRasterizer& glyphRasterizer() override { return fakeGlyphRasterizer; }
  Platform::Processor& processor() override { return fakeProcessor; }
  Platform::FileSystem& fileSystem() override { return fakeFileSystem; }
  Platform::GraphicsDevice& graphicsDevice() override { return fakeGraphicsDevice; }
  Platform::VorbisDecoder& vorbisDecoder() override { return fakeVorbisDecoder; }

  FakeClock fakeClock;
  FakeMessageBox fakeMessageBox;
  FakeDebugOutput fakeDebugOutput;
  FakeWindow fakeWindow;
  FakeAudioOutput fakeAudioOutput;
  FakeKeyboard fakeKeyboard;
  FakeMouse fakeMouse;
  FakeJoysticks fakeJoysticks;
  FakeGlyphRasterizer fakeGlyphRasterizer;
  FakeProcessor fakeProcessor;
  FakeFileSystem fakeFileSystem;
  FakeGraphicsDevice fakeGraphicsDevice;
  FakeVorbisDecoder fakeVorbisDecoder;
};

// Installs a fake backend for the lifetime of the object.
class ScopedFakeBackend {
 public:
  ScopedFakeBackend();
  ~ScopedFakeBackend();
  ScopedFakeBackend(const ScopedFakeBackend&) = delete;
  ScopedFakeBackend& operator=(const ScopedFakeBackend&) = delete;
  FakeBackend* operator->() { return &mBackend; }
  FakeBackend& operator*() { return mBackend; }

 private:
  FakeBackend mBackend;
  Platform::Backend* mPrevious;
};

}  // namespace PlatformFake
