#include "shell/key_queue.h"

#include <gtest/gtest.h>

TEST(KeyQueue, GivesEntriesBackInOrderAcrossTheRingsEnd) {
  KeyQueue queue = {};
  unsigned int entry = 0;
  for (unsigned int round = 0; round < 3; ++round) {
    for (unsigned int i = 0; i < kHeldKeysSize - 1; ++i)
      ASSERT_EQ(1, key_queue_push(&queue, round * 100 + i));
    for (unsigned int i = 0; i < kHeldKeysSize - 1; ++i) {
      ASSERT_EQ(1, key_queue_pop(&queue, &entry));
      EXPECT_EQ(round * 100 + i, entry);
    }
  }
  EXPECT_EQ(0, key_queue_pop(&queue, &entry)) << "empty after every entry came back";
}

TEST(KeyQueue, AFullQueueRefusesWithoutOverwriting) {
  KeyQueue queue = {};
  for (int i = 0; i < kHeldKeysSize; ++i) ASSERT_EQ(1, key_queue_push(&queue, i));
  EXPECT_EQ(0, key_queue_push(&queue, 999));
  unsigned int entry = 0;
  ASSERT_EQ(1, key_queue_pop(&queue, &entry));
  EXPECT_EQ(0u, entry) << "the oldest entry survived the refused push";
}
