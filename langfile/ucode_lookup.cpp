#include "langfile/ucode_lookup.h"

#include <cstdint>
#include <cstring>

#include "core/ucode_table.h"

namespace {

// Names up to 15 characters are remembered; every table name is shorter.
constexpr std::size_t kNameSize = 16;
// Power of two above the 114 names, so probing always finds a free slot.
constexpr std::size_t kSlots = 256;

struct RememberedName {
  char name[kNameSize];
  unsigned char code;  // 0 = free slot
};

RememberedName remembered[kSlots];

std::size_t slot_of(const char* name, std::size_t length) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < length; ++i) {
    hash = (hash ^ static_cast<unsigned char>(name[i])) * 16777619u;
  }
  return hash & (kSlots - 1);
}

}  // namespace

int remembered_ucode_by_name(unsigned char* code, const char* name) {
  const std::size_t length = std::strlen(name);
  if (length >= kNameSize) return ucode_by_name(code, name);
  for (std::size_t slot = slot_of(name, length);; slot = (slot + 1) & (kSlots - 1)) {
    RememberedName& entry = remembered[slot];
    if (entry.code == 0) {
      // Only found names are remembered; a miss ends a load anyway.
      if (!ucode_by_name(code, name)) return 0;
      std::memcpy(entry.name, name, length + 1);
      entry.code = *code;
      return 1;
    }
    if (std::strcmp(entry.name, name) == 0) {
      *code = entry.code;
      return 1;
    }
  }
}
