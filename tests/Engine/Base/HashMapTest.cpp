#include <gtest/gtest.h>

#include <set>
#include <string>

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

TEST(HashMapTest, AddFindAndDuplicateKeys) {
  Engine::HashMap<int> map(4, 0);
  const Engine::i32 first = map.add("alpha", 1);
  EXPECT_EQ(first, 3);  // slots are taken from the highest down
  EXPECT_EQ(map.add("beta", 2), 2);
  EXPECT_TRUE(map.isEnd(map.add("alpha", 99)));
  EXPECT_EQ(map.size(), 2);
  EXPECT_EQ(map.value(map.find("alpha")), 1);
  EXPECT_EQ(map.value(map.find("beta")), 2);
  EXPECT_TRUE(map.isEnd(map.find("gamma")));
  EXPECT_TRUE(map.isEnd(map.find("alph")));
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

TEST(HashMapTest, WalkVisitsEveryElementOnceAndClearEmpties) {
  Engine::HashMap<int> map(64, 7);
  for (int i = 0; i < 40; ++i) {
    map.add(("key" + std::to_string(i)).c_str(), i);
  }
  std::set<int> seen;
  for (Engine::i32 i = map.first(); !map.isEnd(i); i = map.next(i)) {
    EXPECT_TRUE(seen.insert(map.value(i)).second);
  }
  EXPECT_EQ(seen.size(), 40u);
  map.clear();
  EXPECT_EQ(map.size(), 0);
  EXPECT_TRUE(map.isEnd(map.first()));
  EXPECT_TRUE(map.isEnd(map.find("key3")));
  EXPECT_EQ(map.add("again", 5), 63);
}

}  // namespace
