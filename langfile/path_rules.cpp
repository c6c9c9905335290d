#include "langfile/path_rules.h"

namespace {

// Names that start at the root or at the current or parent directory.
int starts_from_known_directory(const char* name, char separator) {
  if (name[0] == separator) return 1;
  if (name[0] == '.' && name[1] == separator) return 1;
  return name[0] == '.' && name[1] == '.' && name[2] == separator;
}

int is_ascii_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int windows_is_direct_name(const char* name) {
  if (starts_from_known_directory(name, '\\')) return 1;
  return is_ascii_letter(name[0]) && name[1] == ':';
}

int native_is_direct_name(const char* name) { return starts_from_known_directory(name, '/'); }

constexpr PathRules kWindowsRules{'\\', ".;\\TOLVAR;\\NIRVEK\\TOLVAR;", windows_is_direct_name};
constexpr PathRules kNativeRules{'/', ".;/TOLVAR;/NIRVEK/TOLVAR;", native_is_direct_name};

}  // namespace

const PathRules& windows_path_rules() { return kWindowsRules; }

const PathRules& native_path_rules() { return kNativeRules; }

const PathRules& platform_path_rules() {
#if defined(_WIN32)
  return kWindowsRules;
#else
  return kNativeRules;
#endif
}
