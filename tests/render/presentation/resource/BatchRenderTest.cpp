#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Engine/Graphics/ImageTestFiles.h"
#include "Engine/Math/Matrix34.h"
#include "Engine/Math/Matrix44.h"
#include "Engine/Threading/Manager.h"
#include "FileIO/src/ManagerImpl.h"
#include "core/file/FileLoader.h"
#include "presentation/render/RenderState.h"
#include "presentation/resource/Batch.h"
#include "presentation/resource/ResourceSet.h"
#include "presentation/resource/Texture.h"
#include "render/RenderSupport.h"

namespace RenderTest {
namespace {

// Definition files and images in a fresh directory, read as loose files by
// the loader job.
class BatchRender : public SmallScreen {
 protected:
  void SetUp() override {
    SmallScreen::SetUp();
    Engine::Threading::Manager::create(0);
    Engine::FileIO::ManagerImpl::create(nullptr, 0, 1, Engine::FileIO::ManagerOptions{});
    Game::FileLoader::create();
    mDirectory = std::filesystem::temp_directory_path() / ("batch_render_" + std::to_string(getpid()));
    std::filesystem::create_directories(mDirectory);
  }
  void TearDown() override {
    Game::FileLoader::destroy();
    Engine::FileIO::ManagerImpl::destroy();
    Engine::Threading::Manager::destroy();
    std::filesystem::remove_all(mDirectory);
    SmallScreen::TearDown();
  }

  std::string put(const std::string& name, const std::vector<Engine::u8>& bytes) {
    const std::filesystem::path path = mDirectory / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // The batch with its state finished as the queue will, drawn on the device
  // through identity matrices: matrix units are clip units.
  static void draw(const Game::Batch& batch) {
    Engine::Math::Matrix34 identity;
    identity.setIdentity();
    const Game::RenderState state = batch.drawState(Game::RenderState(), identity);
    state.applyToDevice({1.f, 1.f, 1.f, 1.f}, false);
    Engine::Math::Matrix44 projection;
    projection.setIdentity();
    manager().setProjectionViewMatrix(projection);
    manager().setWorldMatrix(state.transform);
    manager().setTextureFilter(0);
    manager().setTexture(batch.texture() ? batch.texture()->handle() : Engine::Graphics::Texture());
    manager().setVertexBuffer(batch.vertexBuffer());
    manager().setIndexBuffer(batch.indexBuffer());
    manager().drawIndexed(0, static_cast<u32>(batch.triangleCount()), 0);
  }

  std::filesystem::path mDirectory;
};

// A 2x2 checker stored bottom-up, mapped by the quad shape over a batch
// 800 units wide: each colour lands in its own corner (channel order, row
// order, uv over the image size, the quad's winding under the default cull).
TEST_F(BatchRender, CheckerBatchShowsEachColourInItsCorner) {
  Engine::Graphics::Image checker(2, 2);
  checker.pixels = {kRed, kGreen, kBlue, kYellow};  // rows top to bottom
  put("checker.tga", ImageTestFiles::tgaOf(checker, 4, false, false).bytes());
  const std::string text = "batch{name checker;texture{name checker;file checker;}rect 0,0,2,2;size 800,800,0;}";
  const std::string file = put("checker.txt", std::vector<Engine::u8>(text.begin(), text.end()));
  {
    Game::ResourceSet set;
    set.load(file.c_str());
    const Game::Batch* batch = set.findBatch("checker");
    ASSERT_NE(batch, nullptr);
    ASSERT_EQ(batch->triangleCount(), 2);
    ASSERT_TRUE(batch->texture()->handle().hasPixels());
    draw(*batch);
  }
  const Image image = readBack();
  EXPECT_EQ((std::vector<u32>{image.at(8, 8), image.at(56, 8), image.at(8, 56), image.at(56, 56)}),
            (std::vector<u32>{kRed, kGreen, kBlue, kYellow}));
}

}  // namespace
}  // namespace RenderTest
