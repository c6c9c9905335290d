// Glyph rows live in a fixed, zero-initialised global memory object.
#include "core/global_memory.h"

#include <windows.h>

namespace {

GlobalMemoryHandle win32_alloc(std::size_t bytes) {
  return GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes);
}

void* win32_lock(GlobalMemoryHandle handle) { return GlobalLock(static_cast<HGLOBAL>(handle)); }

// GlobalUnlock answers "still locked" for every fixed object, which keeps no
// lock count, so the rows would never be freed; the object's own lock count
// tells the truth for both kinds.
int win32_unlock(GlobalMemoryHandle handle) {
  const auto object = static_cast<HGLOBAL>(handle);
  GlobalUnlock(object);
  return (GlobalFlags(object) & GMEM_LOCKCOUNT) != 0 ? 1 : 0;
}

GlobalMemoryHandle win32_release(GlobalMemoryHandle handle) {
  return GlobalFree(static_cast<HGLOBAL>(handle));
}

constexpr GlobalMemoryOps kWin32GlobalMemory = {win32_alloc, win32_lock, win32_unlock,
                                                win32_release};

}  // namespace

const GlobalMemoryOps& platform_global_memory() { return kWin32GlobalMemory; }
