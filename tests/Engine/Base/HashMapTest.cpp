#include <gtest/gtest.h>


#include "Engine/Base/HashMap.h"

namespace {

TEST(HashMapTest, BucketCountIsAPrimeOfAtLeastThree) {
  Engine::HashMap<int> one(1, 0);
  EXPECT_EQ(one.bucketCount(), 3);
  Engine::HashMap<int> hundred(100, 0);
  EXPECT_EQ(hundred.bucketCount(), 101);
  Engine::HashMap<int> sized(10, 50);
  EXPECT_EQ(sized.bucketCount(), 53);
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
