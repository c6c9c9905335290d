#include "langfile/path_walk.h"

#include <cstring>

namespace {

constexpr char kListSeparator = ';';

// Builds a candidate; remembers an overflow instead of writing past the end.
struct CandidateBuilder {
  char* text;
  std::size_t length;
  bool too_long;

  void append(const char* part, std::size_t count) {
    if (too_long || count >= kCandidatePathSize - length) {
      too_long = true;
      return;
    }
    std::memcpy(text + length, part, count);
    length += count;
    text[length] = '\0';
  }
  void append(const char* part) { append(part, std::strlen(part)); }
};

// One list element [element, end) -> candidate. 0 when it does not fit.
int build_candidate(const PathWalk& walk, const char* element, const char* end,
                    char (&candidate)[kCandidatePathSize]) {
  CandidateBuilder builder{candidate, 0, false};
  candidate[0] = '\0';
  const char separator = walk.rules->separator;
  const char* rest = element;
  if (rest < end && *rest == '~') {
    ++rest;
    const char* user_part = rest;
    while (user_part < end && *user_part != separator) ++user_part;
    // "~" or "~\..." is the home directory; "~abc..." is just "abc...".
    if (user_part == rest) builder.append(walk.home_directory());
  }
  builder.append(rest, static_cast<std::size_t>(end - rest));
  if (builder.length == 0 && !builder.too_long) builder.append(".");
  builder.append(&separator, 1);
  builder.append(walk.file_name);
  return builder.too_long ? 0 : 1;
}

}  // namespace

void path_walk_start(PathWalk* walk, const PathRules& rules, const char* path_list,
                     const char* file_name, const char* (*home_directory)()) {
  walk->rules = &rules;
  walk->file_name = file_name;
  walk->home_directory = home_directory;
  walk->direct = rules.is_direct_name(file_name);
  walk->next_element = file_name[0] == '\0' ? nullptr : path_list;
}

int path_walk_next(PathWalk* walk, char (&candidate)[kCandidatePathSize]) {
  while (walk->next_element != nullptr) {
    if (walk->direct) {
      walk->next_element = nullptr;
      if (std::strlen(walk->file_name) >= kCandidatePathSize) return 0;
      std::strcpy(candidate, walk->file_name);
      return 1;
    }
    const char* element = walk->next_element;
    const char* end = std::strchr(element, kListSeparator);
    if (end == nullptr) {
      end = element + std::strlen(element);
      walk->next_element = nullptr;
    } else {
      walk->next_element = end + 1;
    }
    if (build_candidate(*walk, element, end, candidate)) return 1;
  }
  return 0;
}
