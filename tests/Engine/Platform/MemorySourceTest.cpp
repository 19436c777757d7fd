#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Engine/Platform/ogg/MemorySource.h"

namespace {

using Platform::Ogg::MemorySource;

TEST(MemorySourceTest, ReadsWholeItemsOnlyAndNeverPastTheEnd) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7};
  MemorySource source{bytes.data(), bytes.size(), 0};
  std::uint8_t out[8] = {};
  EXPECT_EQ(source.read(out, 2, 3), 3u);
  EXPECT_EQ(source.read(out, 2, 3), 0u);  // one byte left: no whole item
  EXPECT_EQ(source.tell(), 6);
  EXPECT_EQ(source.read(out, 1, 9), 1u);
  EXPECT_EQ(out[0], 7);
  EXPECT_EQ(source.read(out, 0, 1), 0u);

  MemorySource empty{nullptr, 0, 0};  // an empty tune: no bytes anywhere
  EXPECT_EQ(empty.read(out, 1, 4096), 0u);
}

TEST(MemorySourceTest, SeeksClampToTheFileAndReportWhatTheyCouldNotReach) {
  const std::vector<std::uint8_t> bytes(10);
  MemorySource source{bytes.data(), bytes.size(), 0};
  const struct {
    std::int64_t offset;
    int whence, result;
    long position;
  } seeks[] = {{4, 0, 0, 4}, {-1, 1, 0, 3}, {-2, 2, 0, 8}, {3, 1, -1, 10}, {-11, 2, -1, 0}, {INT64_MAX, 1, -1, 10}, {0, 3, -1, 10}};
  for (const auto& s : seeks) {
    EXPECT_EQ(source.seek(s.offset, s.whence), s.result) << s.offset << " from " << s.whence;
    EXPECT_EQ(source.tell(), s.position) << s.offset << " from " << s.whence;
  }
}

}  // namespace
