// Hook messages held back while a send is running: a fixed ring, no allocation.
#pragma once

constexpr int kHeldKeysSize = 64;

struct KeyQueue {
  unsigned int entries[kHeldKeysSize];
  int first;
  int count;
};

// 1 = appended; 0 = the queue is full and `entry` was not taken.
int key_queue_push(KeyQueue* queue, unsigned int entry);
// 1 = the oldest entry moved to *entry; 0 = the queue is empty.
int key_queue_pop(KeyQueue* queue, unsigned int* entry);
