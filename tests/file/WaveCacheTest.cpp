#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "file/WaveCache.h"

namespace {

// A wave handle that records which files were created.
struct FakeWave {
  static std::vector<std::string> created;
  static FakeWave create(const char* fileName) {
    created.emplace_back(fileName);
    return FakeWave{std::make_shared<std::string>(fileName)};
  }
  explicit operator bool() const { return file != nullptr; }
  bool operator==(const FakeWave& other) const { return file == other.file; }

  std::shared_ptr<std::string> file;
};
std::vector<std::string> FakeWave::created;

TEST(WaveCacheTest, AWaveIsCreatedOncePerFileAndDroppedWithItsLastReference) {
  FakeWave::created.clear();
  Game::WaveCache<FakeWave> cache;
  const FakeWave hit = cache.acquire("battle/hit1.wav");
  const FakeWave again = cache.acquire("battle/hit1.wav");
  const FakeWave ball = cache.acquire("ball.wav");
  EXPECT_TRUE(hit == again);
  EXPECT_EQ(FakeWave::created, (std::vector<std::string>{"battle/hit1.wav", "ball.wav"}));
  EXPECT_EQ(hit.file.use_count(), 3);

  cache.release(hit);
  cache.release(FakeWave{});
  cache.release(FakeWave::create("stray.wav"));
  EXPECT_EQ(cache.count(), 2);
  cache.release(again);
  EXPECT_EQ(cache.count(), 1);
  EXPECT_EQ(hit.file.use_count(), 2);
  cache.acquire("battle/hit1.wav");
  EXPECT_EQ(FakeWave::created.back(), "battle/hit1.wav");
  EXPECT_EQ(FakeWave::created.size(), 4u);
}

}  // namespace
