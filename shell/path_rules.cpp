#include "shell/path_rules.h"

#include <cstring>

#include "shell/status_text.h"

int add_directory_slash(char* dir, std::size_t size) {
  std::size_t length = std::strlen(dir);
  if (length < 2 || dir[length - 1] == '\\') return 1;
  if (length + 2 > size) return 0;
  dir[length] = '\\';
  dir[length + 1] = '\0';
  return 1;
}

int complete_path_against(char* name, const char* current_dir) {
  std::size_t name_length = std::strlen(name);
  if (name_length >= 2 && name[1] == ':') return 1;
  if (name[0] == '\\' && name[1] == '\\') return 1;

  std::size_t prefix_length = std::strlen(current_dir);
  if (name[0] == '\\' && prefix_length > 2) prefix_length = 2;
  if (prefix_length + name_length + 1 > kNameSize) return 0;

  std::memmove(name + prefix_length, name, name_length + 1);
  std::memcpy(name, current_dir, prefix_length);
  return 1;
}
