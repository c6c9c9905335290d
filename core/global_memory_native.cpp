// A heap block with a lock count in front of it, so that lock and unlock
// behave as the Windows global memory object does for a fixed block.
#include "core/global_memory.h"

#include <cstdlib>
#include <cstddef>

namespace {

struct NativeBlock {
  long locks;
  alignas(std::max_align_t) unsigned char data[1];
};

constexpr std::size_t kDataOffset = offsetof(NativeBlock, data);

GlobalMemoryHandle native_alloc(std::size_t bytes) {
  if (bytes > static_cast<std::size_t>(-1) - kDataOffset) return nullptr;
  // calloc zero-fills the lock count and the data.
  return std::calloc(1, kDataOffset + (bytes == 0 ? 1 : bytes));
}

void* native_lock(GlobalMemoryHandle handle) {
  if (handle == nullptr) return nullptr;
  auto* block = static_cast<NativeBlock*>(handle);
  ++block->locks;
  return block->data;
}

int native_unlock(GlobalMemoryHandle handle) {
  if (handle == nullptr) return 0;
  auto* block = static_cast<NativeBlock*>(handle);
  if (block->locks > 0) --block->locks;
  return block->locks > 0 ? 1 : 0;
}

GlobalMemoryHandle native_release(GlobalMemoryHandle handle) {
  std::free(handle);
  return nullptr;
}

constexpr GlobalMemoryOps kNativeGlobalMemory = {native_alloc, native_lock, native_unlock,
                                                 native_release};

}  // namespace

const GlobalMemoryOps& platform_global_memory() { return kNativeGlobalMemory; }
