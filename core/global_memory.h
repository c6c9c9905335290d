// Platform seam for the one block of memory the core allocates: the rows of a
// glyph table. Windows uses GlobalAlloc/GlobalLock/GlobalUnlock/GlobalFree;
// the native build a zero-filled heap block with the same contract.
#pragma once
#include <cstddef>

using GlobalMemoryHandle = void*;

struct GlobalMemoryOps {
  // Zero-filled fixed block of `bytes`, or null.
  GlobalMemoryHandle (*alloc)(std::size_t bytes);
  // Address of the block, or null when it cannot be locked.
  void* (*lock)(GlobalMemoryHandle handle);
  // Non-zero while the block is still locked after this unlock.
  int (*unlock)(GlobalMemoryHandle handle);
  // Null on success, the handle itself on failure.
  GlobalMemoryHandle (*release)(GlobalMemoryHandle handle);
};

// The operations in force: the platform's own unless a test replaced them.
const GlobalMemoryOps& global_memory();

// The platform's own operations (global_memory_win32.cpp on Windows,
// global_memory_native.cpp elsewhere).
const GlobalMemoryOps& platform_global_memory();

// Replace the operations (tests make allocation fail through this);
// null restores the platform's own.
void set_global_memory_ops(const GlobalMemoryOps* ops);
