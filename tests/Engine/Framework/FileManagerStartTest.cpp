#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "Engine/FileIO/ArchiveBuilder.h"
#include "Engine/FileIO/InFile.h"
#include "FileIO/src/ManagerImpl.h"
#include "Framework/src/FrameworkImpl.h"
#include "PlatformFake/FakeBackend.h"

namespace {

using Engine::Framework;
using Engine::FileIO::ManagerImpl;

class FileManagerStartTest : public ::testing::Test {
 protected:
  void TearDown() override { Framework::Impl::destroyInstance(); }
  PlatformFake::ScopedFakeBackend backend;
};

TEST_F(FileManagerStartTest, ConfiguredArchivesAreHandedOverInOrder) {
  backend->fakeFileSystem.put("data.arc", TestSupport::ArchiveBuilder().addStored("a.txt", "archived").build());
  Framework::Impl::create();
  Framework::Configuration config;
  config.setArchiveNumber(2);
  config.setArchiveName(0, "data.arc");
  config.setArchiveName(1, "more.arc");
  config.setLoadMode(2);
  Framework::Impl::instance()->start();

  ASSERT_TRUE(ManagerImpl::instance());
  const auto& sources = ManagerImpl::instance()->sources();
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(sources[0]->entryCount(), 1);
  EXPECT_FALSE(sources[1]->isDirect());
  EXPECT_EQ(Framework::Impl::instance()->archiveNumber, 0);
  EXPECT_FALSE(Framework::Impl::instance()->archiveNames);
}

// Without archives only loose files can be read: whatever mode was asked,
// even "archives only", the manager reads them, so the game starts on them.
TEST_F(FileManagerStartTest, WithoutArchivesLooseFilesAreReadInAnyMode) {
  backend->fakeFileSystem.put("data/loose.txt", "loose");
  for (const Engine::i32 mode : {2, 0, 1}) {
    SCOPED_TRACE(mode);
    Framework::Impl::create();
    Framework::Configuration config;
    config.setLoadMode(mode);
    if (mode == 0) {
      config.setArchiveNumber(0);
    }
    Framework::Impl::instance()->start();

    ASSERT_TRUE(ManagerImpl::instance());
    const auto& sources = ManagerImpl::instance()->sources();
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_TRUE(sources[0]->isDirect());
    {
      Engine::FileIO::InFile file = Engine::FileIO::InFile::create("data/loose.txt");
      while (!file.isFinished()) {
        std::this_thread::yield();
      }
      ASSERT_FALSE(file.isError());
      EXPECT_EQ(std::string(file.data(), file.size()), "loose");
    }
    Framework::Impl::destroyInstance();
  }
}

}  // namespace
