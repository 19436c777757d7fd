#pragma once

#include <string>
#include <vector>

#include "Engine/Graphics/Image.h"
#include "Engine/Graphics/Manager.h"
#include "Engine/Graphics/VertexBuffer.h"
#include "Engine/Graphics/Vertex.h"
#include "Graphics/src/BufferImpl.h"
#include "Engine/Graphics/ImageTestFiles.h"
#include "PlatformFake/FakeGraphicsDevice.h"
#include "core/config/Config.h"
#include "core/file/FileManagerFixture.h"

namespace ResourceTestSupport {

// Loose files on the fake file system, read by the loader job, with the
// graphics manager on the fake device: what resource sets load through.
class ResourceTest : public FileTestSupport::FileManagerTest {
 protected:
  ResourceTest() { mLoadErrorsHalt = false; }
  void SetUp() override {
    FileManagerTest::SetUp();
    Engine::Graphics::Manager::create(640, 480, false, true, false);
    Game::Config::instance().setting(Game::Config::kOmit).set(0);
  }
  void TearDown() override {
    Game::Config::instance().setting(Game::Config::kOmit).set(0);
    Engine::Graphics::Manager::destroy();
    FileManagerTest::TearDown();
  }

  // A TGA image of that size, filled with one colour.
  void putImage(const std::string& path, int width, int height, Engine::u32 color = 0xFF204080u) {
    Engine::Graphics::Image image(width, height);
    image.pixels.assign(image.pixels.size(), color);
    fs().put(path, ImageTestFiles::tgaOf(image, 4, true, false).bytes());
  }

  bool logged(const std::string& text) {
    for (const std::string& line : debugLines()) {
      if (line.find(text) != std::string::npos) {
        return true;
      }
    }
    return false;
  }

  static std::vector<Engine::Graphics::Vertex> vertices(const Engine::Graphics::VertexBuffer& buffer) {
    const auto* device = static_cast<const PlatformFake::FakeGraphicsBuffer*>(buffer.impl()->buffer());
    const auto* first = reinterpret_cast<const Engine::Graphics::Vertex*>(device->data.data());
    return {first, first + buffer.count()};
  }
};

}  // namespace ResourceTestSupport
