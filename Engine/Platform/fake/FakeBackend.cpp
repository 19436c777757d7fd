#include "PlatformFake/FakeBackend.h"

#include <cstdio>

namespace PlatformFake {

std::uint32_t FakeClock::milliseconds() {
  const std::uint32_t reading = now;
  now += advancePerRead;
  return reading;
}

void FakeClock::sleep(std::uint32_t ms) {
  now += ms;
  sleptTotal += ms;
  ++sleepCalls;
}

void FakeMessageBox::show(std::string_view text, std::string_view caption, Platform::MessageIcon icon) {
  shown.push_back({std::string(text), std::string(caption), icon});
  std::fprintf(stderr, "%.*s\n%.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(text.size()), text.data());
  std::fflush(stderr);
}

void FakeDebugOutput::write(std::string_view text) { lines.emplace_back(text); }

bool FakeWindow::create(const Platform::WindowDesc& wanted) {
  ++createCount;
  if (failCreate) {
    return false;
  }
  desc = wanted;
  exists = true;
  dropsAccepted = wanted.acceptDrops;
  return true;
}

void FakeWindow::destroy() {
  ++destroyCount;
  exists = false;
  push(Platform::WindowEventType::Quit);
}

bool FakeWindow::pollEvent(Platform::WindowEvent& event) {
  ++polls;
  if (events.empty()) {
    return false;
  }
  event = events.front();
  events.pop_front();
  return true;
}

void FakeWindow::setFullScreen(bool fullScreen) { fullScreenCalls.push_back(fullScreen); }

void FakeWindow::acceptDrops(bool accept) { dropsAccepted = accept; }

void FakeWindow::drawableSize(std::uint32_t& width, std::uint32_t& height) {
  width = desc.width;
  height = desc.height;
}

void FakeWindow::push(Platform::WindowEventType type) {
  Platform::WindowEvent event;
  event.type = type;
  push(event);
}

void FakeWindow::push(const Platform::WindowEvent& event) { events.push_back(event); }

ScopedFakeBackend::ScopedFakeBackend() : mPrevious(Platform::hasBackend() ? &Platform::backend() : nullptr) {
  Platform::setBackend(&mBackend);
}

ScopedFakeBackend::~ScopedFakeBackend() { Platform::setBackend(mPrevious); }

}  // namespace PlatformFake
