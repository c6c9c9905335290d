#include "shell/key_queue.h"

int key_queue_push(KeyQueue* queue, unsigned int entry) {
  if (queue->count >= kHeldKeysSize) return 0;
  queue->entries[(queue->first + queue->count) % kHeldKeysSize] = entry;
  ++queue->count;
  return 1;
}

int key_queue_pop(KeyQueue* queue, unsigned int* entry) {
  if (queue->count == 0) return 0;
  *entry = queue->entries[queue->first];
  queue->first = (queue->first + 1) % kHeldKeysSize;
  --queue->count;
  return 1;
}
