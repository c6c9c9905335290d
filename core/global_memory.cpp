#include "core/global_memory.h"

namespace {
const GlobalMemoryOps* replaced_ops = nullptr;
}  // namespace

const GlobalMemoryOps& global_memory() {
  return replaced_ops != nullptr ? *replaced_ops : platform_global_memory();
}

void set_global_memory_ops(const GlobalMemoryOps* ops) { replaced_ops = ops; }
