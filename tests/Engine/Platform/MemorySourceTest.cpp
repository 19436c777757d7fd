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
  EXPECT_EQ(source.read(nullptr, 1, 1), 0u);
  EXPECT_EQ(source.read(out, 0, 1), 0u);

  MemorySource empty{nullptr, 0, 0};  // an empty tune: no bytes anywhere
  EXPECT_EQ(empty.read(out, 1, 4096), 0u);
}

TEST(MemorySourceTest, SeeksClampToTheFileAndReportWhatTheyCouldNotReach) {
  const std::vector<std::uint8_t> bytes(10);
  MemorySource source{bytes.data(), bytes.size(), 0};
  EXPECT_EQ(source.seek(4, 0), 0);
  EXPECT_EQ(source.seek(-1, 1), 0);
  EXPECT_EQ(source.tell(), 3);
  EXPECT_EQ(source.seek(-2, 2), 0);
  EXPECT_EQ(source.tell(), 8);
  EXPECT_EQ(source.seek(3, 1), -1);
  EXPECT_EQ(source.tell(), 10);
  EXPECT_EQ(source.seek(-11, 2), -1);
  EXPECT_EQ(source.tell(), 0);
  EXPECT_EQ(source.seek(INT64_MAX, 1), -1);
  EXPECT_EQ(source.tell(), 10);
  EXPECT_EQ(source.seek(0, 3), -1);
}

}  // namespace
