#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "basalt/util/array.h"
#include "basalt/util/spsc_queue.h"
#include "basalt/util/string_hash.h"

namespace {

std::vector<int> Contents(const util::Array<int>& array) {
  std::vector<int> items;
  for (unsigned i = 0; i < array.Count(); ++i) items.push_back(array.Get(i));
  return items;
}

TEST(ArrayTest, GrowsBeforeFewerThanSeventeenSlotsWouldBeFree) {
  util::Array<int> array;
  EXPECT_EQ(array.Capacity(), 32u);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(array.Add(i), i);
  EXPECT_EQ(array.Capacity(), 32u);
  EXPECT_EQ(array.Add(15), 15);
  EXPECT_EQ(array.Capacity(), 64u);
  for (int i = 16; i < 100; ++i) array.Add(i);
  EXPECT_EQ(array.Count(), 100u);
  for (unsigned i = 0; i < 100; ++i) EXPECT_EQ(array.Get(i), static_cast<int>(i));
}

TEST(ArrayTest, RemovalMovesTheLastElementIntoTheGap) {
  util::Array<int> array;
  for (int v : {'a', 'b', 'c'}) array.Add(v);
  array.RemoveAt(0);
  EXPECT_EQ(Contents(array), (std::vector<int>{'c', 'b'}));
  array.RemoveAt(1);
  EXPECT_EQ(Contents(array), (std::vector<int>{'c'}));
}

TEST(ArrayTest, ShrinksBlockByBlockButKeepsOneBlock) {
  util::Array<int> array;
  for (int i = 0; i < 100; ++i) array.Add(i);
  const unsigned grown = array.Capacity();
  EXPECT_EQ(grown, 128u);
  while (array.Count() > 1) array.RemoveAt(0);
  EXPECT_EQ(array.Capacity(), 32u);
  EXPECT_EQ(array.Get(0), 1);  // the survivor of the moves
  array.RemoveAt(0);
  EXPECT_EQ(array.Count(), 0u);
  EXPECT_EQ(array.Capacity(), 32u);
  array.Clear();
  EXPECT_EQ(array.Add(7), 0);
}

TEST(StringHashTest, HashIsPositionWeightedSumOfCharacters) {
  EXPECT_EQ(util::StringHash::Hash("ab"), 293u);
  util::StringHash table;
  EXPECT_EQ(table.BucketOf("ab"), 4u);
  EXPECT_EQ(util::StringHash::Hash(""), 0u);
}

TEST(StringHashTest, DuplicateKeysKeepBothAndTheFirstWins) {
  util::StringHash table;
  int first = 1, second = 2;
  table.Insert("g_key", &first);
  table.Insert("g_key", &second);
  EXPECT_EQ(table.Find("g_key"), &first);
  EXPECT_EQ(table.Find("G_KEY"), nullptr);  // keys are case-sensitive
  EXPECT_EQ(table.Remove("g_key"), &first);
  EXPECT_EQ(table.Find("g_key"), &second);
  EXPECT_EQ(table.Remove("g_key"), &second);
  EXPECT_EQ(table.Remove("g_key"), nullptr);
}

TEST(StringHashTest, RemovingByKeyAndValueLeavesTheOtherPairsOfTheKey) {
  util::StringHash table;
  int first = 1, second = 2, third = 3;
  for (int* value : {&first, &second, &third}) table.Insert("button", value);
  EXPECT_EQ(table.Remove("button", &second), &second);
  EXPECT_EQ(table.Remove("button", &second), nullptr);
  EXPECT_EQ(table.Remove("button", &first), &first);
  EXPECT_EQ(table.Find("button"), &third);
}

TEST(StringHashTest, ManyKeysInOneSmallTableAreAllFound) {
  util::StringHash table(3);
  std::vector<int> values(500);
  std::vector<std::string> keys;
  for (int i = 0; i < 500; ++i) keys.push_back("name" + std::to_string(i));
  for (int i = 0; i < 500; ++i) ASSERT_TRUE(table.Insert(keys[i].c_str(), &values[i]));
  for (int i = 0; i < 500; ++i) EXPECT_EQ(table.Find(keys[i].c_str()), &values[i]);
}

TEST(StringHashTest, ClearHandsValuesToTheDeleterOnRequest) {
  static int deleted = 0;
  util::StringHash table;
  table.Insert("a", new int(1));
  table.Insert("b", new int(2));
  table.Clear([](void* value) {
    delete static_cast<int*>(value);
    ++deleted;
  });
  EXPECT_EQ(deleted, 2);
  EXPECT_EQ(table.Find("a"), nullptr);
}

TEST(SpscQueueTest, KeepsOrderRefusesWhenFullAndWrapsAround) {
  util::SpscQueue<int, 4> queue;
  int value = 0;
  EXPECT_FALSE(queue.Pop(&value));
  for (int round = 0; round < 3; ++round) {  // the indices run past the capacity
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(queue.Push(round * 10 + i));
    EXPECT_FALSE(queue.Push(99));
    for (int i = 0; i < 4; ++i) {
      ASSERT_TRUE(queue.Pop(&value));
      EXPECT_EQ(value, round * 10 + i);
    }
    EXPECT_FALSE(queue.Pop(&value));
  }
}

// Two threads hammering a small queue: every value arrives once, in order.
TEST(SpscQueueTest, CarriesEveryValueInOrderBetweenTwoThreads) {
  constexpr int kValues = 200000;
  util::SpscQueue<int, 64> queue;
  std::thread producer([&] {
    for (int i = 0; i < kValues; ++i)
      while (!queue.Push(i)) std::this_thread::yield();
  });
  int expected = 0;
  while (expected < kValues) {
    int value = -1;
    if (!queue.Pop(&value)) {
      std::this_thread::yield();
      continue;
    }
    ASSERT_EQ(value, expected);
    ++expected;
  }
  producer.join();
}

}  // namespace
