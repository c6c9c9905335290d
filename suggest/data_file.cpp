#include "suggest/data_file.h"

#include <cstdio>

#include "core/error_text.h"

int read_data_file(const char* path, std::size_t limit, std::vector<char>* text) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    set_error_text("Cannot open %s\n", path);
    return 0;
  }
  text->clear();
  // One allocation of the file's size where it can be told (the bound still
  // holds if the file grows meanwhile).
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long size = std::ftell(file);
    if (size > 0 && static_cast<unsigned long>(size) <= limit) text->reserve(static_cast<std::size_t>(size));
    std::rewind(file);
  }
  char buffer[65536];
  std::size_t n;
  bool too_large = false;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (text->size() + n > limit) {
      too_large = true;
      break;
    }
    text->insert(text->end(), buffer, buffer + n);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (too_large) {
    set_error_text("%s is larger than %lu bytes\n", path, static_cast<unsigned long>(limit));
    return 0;
  }
  if (failed) {
    set_error_text("Cannot read %s\n", path);
    return 0;
  }
  return 1;
}

int next_line(LineCursor* cursor, std::string_view* line) {
  if (cursor->rest.empty()) return 0;
  std::size_t end = cursor->rest.find('\n');
  const std::size_t next = end == std::string_view::npos ? cursor->rest.size() : end + 1;
  if (end == std::string_view::npos) end = cursor->rest.size();
  *line = cursor->rest.substr(0, end);
  if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
  cursor->rest.remove_prefix(next);
  ++cursor->number;
  return 1;
}

int split_tab(std::string_view* line, std::string_view* head) {
  const std::size_t tab = line->find('\t');
  if (tab == std::string_view::npos) return 0;
  *head = line->substr(0, tab);
  line->remove_prefix(tab + 1);
  return 1;
}

int parse_number(std::string_view text, long* value) {
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 9) return 0;
  long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  *value = negative ? -v : v;
  return 1;
}
