#include <gtest/gtest.h>

#include "Engine/Base/HashMap.h"

namespace {

TEST(HashMapTest, BucketCountIsAPrimeOfAtLeastThree) {
  EXPECT_EQ(Engine::HashMap<int>(1, 0).bucketCount(), 3);
  EXPECT_EQ(Engine::HashMap<int>(100, 0).bucketCount(), 101);
  EXPECT_EQ(Engine::HashMap<int>(10, 50).bucketCount(), 53);
}

TEST(HashMapTest, FullOrEmptyMapRefusesInsteadOfOverrunning) {
  Engine::HashMap<int> map(2, 0);
  map.add("a", 1);
  map.add("b", 2);
  EXPECT_TRUE(map.isEnd(map.add("c", 3)));
  EXPECT_EQ(map.size(), 2);
  Engine::HashMap<int> empty;
  EXPECT_TRUE(empty.isEnd(empty.find("x")));
  EXPECT_TRUE(empty.isEnd(empty.add("x", 1)));
}

}  // namespace
