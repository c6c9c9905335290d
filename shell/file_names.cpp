#include "shell/file_names.h"

#include <cstring>

#include "shell/status_text.h"

int prepare_file_filter(char* out, std::size_t size, const char* text) {
  std::size_t length = std::strlen(text);
  if (length + 1 > size) return 0;
  std::memcpy(out, text, length + 1);
  if (length == 0) return 1;
  char separator = text[length - 1];
  for (std::size_t i = 0; i < length; ++i) {
    if (out[i] == separator) out[i] = '\0';
  }
  return 1;
}

namespace {

// Length of the directory part: up to and including the last backslash.
std::size_t directory_length(const char* file_name) {
  const char* slash = std::strrchr(file_name, '\\');
  return slash ? static_cast<std::size_t>(slash - file_name) + 1 : 0;
}

}  // namespace

int make_list_pattern(const char* current_file_name, char* pattern, const char** entry_name) {
  std::size_t directory = directory_length(current_file_name);
  *entry_name = current_file_name + directory;
  std::size_t tail = sizeof(kListPatternTail);  // terminator included
  if (directory + tail > kNameSize) return 0;
  std::memcpy(pattern, current_file_name, directory);
  std::memcpy(pattern + directory, kListPatternTail, tail);
  return 1;
}

int make_list_choice(const char* current_file_name, const char* entry_text, char* choice) {
  std::size_t entry = std::strlen(entry_text);
  if (entry == 0) return 0;
  std::size_t directory = directory_length(current_file_name);
  if (directory + entry + 1 > kNameSize) return 0;
  std::memcpy(choice, current_file_name, directory);
  std::memcpy(choice + directory, entry_text, entry + 1);
  return 1;
}
