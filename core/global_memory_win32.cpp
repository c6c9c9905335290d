// Glyph rows live in a fixed, zero-initialised global memory object.
#include "core/global_memory.h"

#include <windows.h>

namespace {

GlobalMemoryHandle win32_alloc(std::size_t bytes) {
  return GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes);
}

void* win32_lock(GlobalMemoryHandle handle) { return GlobalLock(static_cast<HGLOBAL>(handle)); }

int win32_unlock(GlobalMemoryHandle handle) {
  return GlobalUnlock(static_cast<HGLOBAL>(handle)) ? 1 : 0;
}

GlobalMemoryHandle win32_release(GlobalMemoryHandle handle) {
  return GlobalFree(static_cast<HGLOBAL>(handle));
}

constexpr GlobalMemoryOps kWin32GlobalMemory = {win32_alloc, win32_lock, win32_unlock,
                                                win32_release};

}  // namespace

const GlobalMemoryOps& platform_global_memory() { return kWin32GlobalMemory; }
