#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "Engine/Base/DebugStream.h"
#include "PlatformFake/FakeBackend.h"

namespace {

TEST(DebugStreamTest, PiecesFromManyThreadsAreNeitherLostNorTorn) {
  PlatformFake::ScopedFakeBackend backend;
  Engine::DebugStream::create();
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([] {
      for (int i = 0; i < 100; ++i) {
        Engine::cout << "piece;" << Engine::endl;
      }
    });
  }
  for (std::thread& writer : writers) {
    writer.join();
  }
  Engine::DebugStream::destroy();
  const auto& lines = backend->fakeDebugOutput.lines;
  EXPECT_EQ(lines.size(), 400u);
  std::string all;
  for (const std::string& line : lines) {
    all += line;
  }
  std::string expected;
  for (int i = 0; i < 400; ++i) {
    expected += "piece;";
  }
  all.erase(std::remove(all.begin(), all.end(), '\n'), all.end());
  EXPECT_EQ(all, expected);
}

}  // namespace
