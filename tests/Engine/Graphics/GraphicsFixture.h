#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Engine/Graphics/Manager.h"
#include "Graphics/src/ManagerImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace Engine::Graphics {

// The graphics manager on the fake device, 640 x 480 in a window; a test
// that makes its own overrides SetUp.
class GraphicsFixture : public ::testing::Test {
 protected:
  void SetUp() override { Manager::create(640, 480, false, true, false); }
  void TearDown() override { if (ManagerImpl::instance()) Manager::destroy(); }

  PlatformFake::FakeGraphicsDevice& device() { return mBackend->fakeGraphicsDevice; }
  bool logged(const std::string& text) {
    const std::vector<std::string>& lines = mBackend->fakeDebugOutput.lines;
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
  }

  PlatformFake::ScopedFakeBackend mBackend;
};

}  // namespace Engine::Graphics
