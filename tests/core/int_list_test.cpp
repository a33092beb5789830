#include "core/int_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "core/random.h"

namespace tamso {
namespace {

TEST(IntList, SetCountRefusesTheCapacity) {
  IntList list;
  list.push(5);
  EXPECT_FALSE(list.setCount(100));
  EXPECT_EQ(list.count(), 1);
  EXPECT_TRUE(list.setCount(99));
  EXPECT_EQ(list.count(), 99);
}

TEST(IntList, RemoveAtOutOfRangeChangesNothing) {
  IntList list;
  for (int v : {4, 7, 9}) list.push(v);
  list.removeAt(3);
  list.removeAt(-1);
  ASSERT_EQ(list.count(), 3);
  list.removeAt(0);
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list[0], 7);
  EXPECT_EQ(list[1], 9);
  list.removeAt(1);
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list[0], 7);
}

TEST(IntList, FindReturnsLowestIndex) {
  IntList list;
  for (int v : {3, 8, 3, 8}) list.push(v);
  EXPECT_EQ(list.find(8), 1);
  EXPECT_EQ(list.find(3), 0);
  EXPECT_EQ(list.find(5), -1);
}

TEST(RandomPermutation, SmallListsAreFixed) {
  Random random = Random::seeded(1);
  IntList empty;
  empty.randomPermutation(random);
  EXPECT_EQ(empty.count(), 0);
  IntList one(1);
  one.randomPermutation(random);
  EXPECT_EQ(one[0], 0);
  for (int run = 0; run < 20; ++run) {
    IntList two(2);
    two.randomPermutation(random);
    EXPECT_EQ(two[0], 0);
    EXPECT_EQ(two[1], 1);
  }
}

TEST(RandomPermutation, EveryPositionExactlyOnce) {
  Random random = Random::seeded(99);
  for (std::int32_t n : {3, 10, 99}) {
    IntList list(n);
    list.randomPermutation(random);
    std::vector<std::int32_t> seen(list.count());
    for (int i = 0; i < n; ++i) seen[i] = list[i];
    std::sort(seen.begin(), seen.end());
    std::vector<std::int32_t> expected(n);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(seen, expected);
  }
  std::vector<std::int32_t> big(400);
  randomPermutation(random, big);
  std::sort(big.begin(), big.end());
  for (int i = 0; i < 400; ++i) ASSERT_EQ(big[i], i);
}

}  // namespace
}  // namespace tamso
